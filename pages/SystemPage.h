#pragma once
// The system page: the running system, detected once when the page's window is created, shown as the
// one checked radio button among six. The user cannot choose another system. The page flow and the
// Install command read targetSystem.

#include <string>

#include "framework/Dialog.h"

class SystemPage : public CDialog {
public:
    explicit SystemPage(UINT templateId);

    BOOL OnInitDialog() override;
    // The page never ends itself on IDOK or IDCANCEL.
    void OnOK() override {}
    void OnCancel() override {}

    int targetSystem;  // TargetSystem; Windows98Me when the running system is not recognised
};

// The system's name as the till's log writes it ("Windows XP"); "?" for a value out of range.
std::string SystemName(int targetSystem);
