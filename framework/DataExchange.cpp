#include "framework/DataExchange.h"

#include "common/BoundedText.h"
#include "framework/Dialog.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

void CDataExchange::Fail(int controlId) {
    failed = true;
    HWND control = Control(controlId);
    if (control != nullptr) m_pDlgWnd->GotoDlgCtrl(control);
}

HWND CDataExchange::Control(int controlId) const {
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, controlId);
}

void DDX_Text(CDataExchange* dx, int id, char* buffer, size_t capacity) {
    if (dx->failed || capacity == 0) return;
    if (!dx->m_bSaveAndValidate) {
        SetDlgItemTextA(dx->m_pDlgWnd->m_hWnd, id, buffer);
        return;
    }
    buffer[0] = '\0';
    GetDlgItemTextA(dx->m_pDlgWnd->m_hWnd, id, buffer, static_cast<int>(capacity));
    buffer[capacity - 1] = '\0';
}

namespace {
// Decimal integer with optional sign and surrounding blanks; false for anything else or overflow.
bool ParseInteger(const char* text, int& value) {
    char* end = nullptr;
    errno = 0;
    long parsed = strtol(text, &end, 10);
    if (end == text || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return false;
    value = static_cast<int>(parsed);
    return true;
}
}  // namespace

void DDX_Text(CDataExchange* dx, int id, int& value) {
    if (dx->failed) return;
    if (!dx->m_bSaveAndValidate) {
        char text[16];
        FormatText(text, sizeof text, "%d", value);
        SetDlgItemTextA(dx->m_pDlgWnd->m_hWnd, id, text);
        return;
    }
    char text[64] = {};
    GetDlgItemTextA(dx->m_pDlgWnd->m_hWnd, id, text, sizeof text);
    if (!ParseInteger(text, value)) {
        AfxMessageBox(IDS_ENTER_INTEGER);
        dx->Fail(id);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    if (dx->failed) return;
    HWND control = dx->Control(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    if (dx->failed) return;
    HWND control = dx->Control(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (dx->failed || control.m_hWnd != nullptr) return;
    control.SubclassDlgItem(id, dx->m_pDlgWnd);
}
