#pragma once
// The first page of the wizard: the licence text from "License.txt" in the current directory, with
// accept and decline. The page keeps no choice of its own: it enables or disables the frame's Next
// button directly.

#include "framework/Dialog.h"

class CEditEx;

class LicensePage : public CDialog {
public:
    explicit LicensePage(UINT templateId);

    // FALSE when the licence text could not be shown (the wizard has been ended for a missing file).
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The page never ends itself on IDOK or IDCANCEL.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT code, HWND control) override;

    // The licence box; it lives as long as the program.
    static CEditEx& LicenseText();

private:
    // 1: shown; 0: the file is missing; -1: too large to hold in memory.
    int LoadLicenseText();
    void EnableNext(bool enable);
};
