#include "pages/LicensePage.h"

#include <cstdio>
#include <new>

#include "framework/DataExchange.h"
#include "framework/MessageBoxes.h"
#include "pages/CEditEx.h"
#include "resources/ControlIds.h"
#include "resources/ResourceIds.h"

namespace {
const char kLicenseFile[] = "License.txt";
CEditEx licenseText;
}  // namespace

CEditEx& LicensePage::LicenseText() {
    return licenseText;
}

LicensePage::LicensePage(UINT templateId) : CDialog(templateId) {}

void LicensePage::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_LICENSE_TEXT, licenseText);
}

BOOL LicensePage::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_ACCEPT, IDC_DECLINE, IDC_DECLINE);
    int loaded = LoadLicenseText();
    if (loaded == 1) return TRUE;
    if (loaded == 0) {
        char text[200];
        LoadResourceText(IDS_NO_LICENSE, text);
        MessageBoxA(m_hWnd, text, AppTitle(), MB_OK);
        // The frame's cancel action ends the whole wizard.
        auto* frame = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(GetParent()));
        if (frame != nullptr) frame->OnCancel();
    }
    return FALSE;
}

int LicensePage::LoadLicenseText() {
    // Read by its relative name, so from the current directory; the bytes are shown as they are
    // (the system's ANSI code page, CR LF line ends).
    FILE* file = fopen(kLicenseFile, "rb");
    if (file == nullptr) return 0;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (length < 0) {
        fclose(file);
        return 0;
    }
    char* buffer = new (std::nothrow) char[static_cast<size_t>(length) + 1]();
    if (buffer == nullptr) {
        fclose(file);
        return -1;
    }
    size_t read = fread(buffer, 1, static_cast<size_t>(length), file);
    fclose(file);
    buffer[read] = '\0';
    SetDlgItemText(IDC_LICENSE_TEXT, buffer);
    delete[] buffer;
    return 1;
}

void LicensePage::EnableNext(bool enable) {
    HWND next = ::GetDlgItem(GetParent(), IDOK);
    if (next != nullptr) ::EnableWindow(next, enable ? TRUE : FALSE);
}

bool LicensePage::OnCommand(UINT id, UINT code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_ACCEPT:
                EnableNext(true);
                return true;
            case IDC_DECLINE:
                EnableNext(false);
                return true;
            default:
                break;
        }
    }
    return CDialog::OnCommand(id, code, control);
}
