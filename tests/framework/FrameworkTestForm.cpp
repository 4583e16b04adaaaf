#include "tests/framework/FrameworkTestForm.h"

#include "framework/DataExchange.h"

void TestForm::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_FW_COMBO, combo);
    DDX_Text(dx, IDC_FW_TEXT, text);
    DDX_Text(dx, IDC_FW_NUMBER, number);
    DDX_Check(dx, IDC_FW_CHECK, check);
    DDX_CBIndex(dx, IDC_FW_COMBO, comboIndex);
}

BOOL TestForm::OnInitDialog() {
    CDialog::OnInitDialog();
    initialised = true;
    if (timerToEndWith != 0) SetTimer(timerToEndWith, 10);
    if (initialClick != 0) ::PostMessageA(GetDlgItem(initialClick), BM_CLICK, 0, 0);
    return TRUE;
}

bool TestForm::OnCommand(UINT id, UINT code, HWND control) {
    commands.push_back(id);
    return CDialog::OnCommand(id, code, control);
}

LRESULT TestForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == timerToEndWith) {
        KillTimer(timerToEndWith);
        EndDialog(77);
        return TRUE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
