#include "pages/ModePage.h"

#include "common/SharedTypes.h"
#include "framework/MessageBoxes.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"

ModePage::ModePage(UINT templateId) : CDialog(templateId), installMode(Typical) {}

BOOL ModePage::OnInitDialog() {
    CDialog::OnInitDialog();
    installMode = Typical;
    CheckRadioButton(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    ShowExplanation(IDS_TYPICAL_EXPLANATION);
    return TRUE;
}

void ModePage::ShowExplanation(UINT textId) {
    char text[200];
    LoadResourceText(textId, text);
    SetDlgItemText(IDC_MODE_TEXT, text);
}

void ModePage::OnTypical() {
    ShowExplanation(IDS_TYPICAL_EXPLANATION);
    ::ShowWindow(GetDlgItem(IDC_MODE_TEXT_2), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_MODE_TEXT_3), SW_HIDE);
    installMode = Typical;
}

void ModePage::OnAdvanced() {
    ShowExplanation(IDS_ADVANCED_EXPLANATION);
    char text[200];
    LoadResourceText(IDS_ADVANCED_EXPLANATION_2, text);
    SetDlgItemText(IDC_MODE_TEXT_2, text);
    ::ShowWindow(GetDlgItem(IDC_MODE_TEXT_2), SW_SHOWNORMAL);
    ::ShowWindow(GetDlgItem(IDC_MODE_TEXT_3), SW_HIDE);
    installMode = Advanced;
}

void ModePage::ApplyAdvancedSetup(int advancedSetup) {
    HWND advanced = GetDlgItem(IDC_ADVANCED);
    if (advancedSetup != 0) {
        ::EnableWindow(advanced, TRUE);
        return;
    }
    ::EnableWindow(advanced, FALSE);
    CheckRadioButton(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    OnTypical();
}

bool ModePage::OnCommand(UINT id, UINT code, HWND control) {
    if (code == BN_CLICKED && id == IDC_TYPICAL) {
        OnTypical();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_ADVANCED) {
        OnAdvanced();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}
