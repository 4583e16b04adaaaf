#pragma once
// A dialog of the tests' own template with one member per kind of data exchange and a record of
// what its handlers saw.

#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "tests/framework/FrameworkTestIds.h"

class TestForm : public CDialog {
public:
    TestForm() : CDialog(IDD_FW_FORM) {}
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    char text[8] = "abc";
    int number = 7;
    int check = 1;
    int comboIndex = 1;
    CComboBox combo;
    std::vector<UINT> commands;   // ids of the WM_COMMANDs that reached OnCommand
    UINT_PTR timerToEndWith = 0;  // ends a modal run with 77 on this timer
    int initialClick = 0;         // a button clicked as soon as the dialog is up
    bool initialised = false;
};
