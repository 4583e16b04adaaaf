#pragma once
// The install-mode page: typical installation, or advanced installation for several USB printers of
// one model, with a line that explains the choice. The page flow reads installMode.

#include "framework/Dialog.h"

class ModePage : public CDialog {
public:
    explicit ModePage(UINT templateId);

    BOOL OnInitDialog() override;
    // The page never ends itself on IDOK or IDCANCEL.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT code, HWND control) override;

    // What the chosen model allows, applied by the page flow when the printer page is left: nonzero
    // offers the advanced mode and keeps the user's choice; 0 disables it and makes the page typical.
    void ApplyAdvancedSetup(int advancedSetup);

    int installMode;  // InstallMode: 1 Typical, 0 Advanced

private:
    void OnTypical();
    void OnAdvanced();
    void ShowExplanation(UINT textId);
};
