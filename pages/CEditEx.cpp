#include "pages/CEditEx.h"

#include "common/BoundedText.h"
#include "framework/RuntimeClass.h"

namespace {
const bool registered = RegisterRuntimeClass(CEditEx::kClassName, &CEditEx::CreateObject);
}  // namespace

CEditEx::CEditEx() : backColor(GetSysColor(COLOR_WINDOW)), textColor(GetSysColor(COLOR_WINDOWTEXT)) {
    backBrush = CreateSolidBrush(backColor);
}

CEditEx::~CEditEx() {
    // The control may still paint while it lives; give it back its own procedure first.
    if (m_hWnd != nullptr) UnsubclassWindow();
    if (font != nullptr) DeleteObject(font);
    delete charFilter;
    if (backBrush != nullptr) DeleteObject(backBrush);
}

CWnd* CEditEx::CreateObject() {
    return new CEditEx;
}

void CEditEx::RebuildBackBrush() {
    if (backBrush != nullptr) DeleteObject(backBrush);
    backBrush = CreateSolidBrush(backColor);
}

HBRUSH CEditEx::CtlColor(HDC dc, UINT) {
    // Every colour type, so a read-only box (WM_CTLCOLORSTATIC) keeps the control's colours too.
    ::SetTextColor(dc, textColor);
    ::SetBkColor(dc, backColor);
    return backBrush;
}

COLORREF CEditEx::SetBackColor(COLORREF color) {
    COLORREF old = backColor;
    backColor = color;
    RebuildBackBrush();
    if (m_hWnd != nullptr) Invalidate(TRUE);
    return old;
}

COLORREF CEditEx::SetTextColor(COLORREF color) {
    COLORREF old = textColor;
    textColor = color;
    if (m_hWnd != nullptr) Invalidate(TRUE);
    return old;
}

void CEditEx::SetFont(const LOGFONTA& description) {
    HFONT created = CreateFontIndirectA(&description);
    if (created == nullptr) return;
    if (m_hWnd != nullptr) CWnd::SetFont(created, TRUE);
    if (font != nullptr) DeleteObject(font);
    font = created;
}

void CEditEx::SetFont(int height, BYTE pitchAndFamily, const char* faceName) {
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfPitchAndFamily = pitchAndFamily;
    CopyText(description.lfFaceName, faceName);
    SetFont(description);
}

void CEditEx::CopyLook(const CEditEx& other) {
    SetBackColor(other.backColor);
    SetTextColor(other.textColor);
    LOGFONTA description = {};
    description.lfHeight = -8;
    description.lfWeight = FW_NORMAL;
    CopyText(description.lfFaceName, "MS Sans Serif");
    HFONT source = other.font ? other.font : (other.m_hWnd ? other.GetFont() : nullptr);
    if (source != nullptr) GetObjectA(source, sizeof description, &description);
    SetFont(description);
}

void CEditEx::SetCharFilter(CharFilter* filter) {
    if (filter == charFilter) return;
    delete charFilter;
    charFilter = filter;
}

LRESULT CEditEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && !OnChar(static_cast<UINT>(wParam))) return 0;
    if (message == WM_CONTEXTMENU && OnContextMenu(lParam)) return 0;
    return CEdit::WindowProc(message, wParam, lParam);
}

bool CEditEx::OnChar(UINT character) {
    if (charFilter == nullptr || charFilter->Accepts(character)) return true;
    MessageBeep(0);
    return false;
}

bool CEditEx::OnContextMenu(LPARAM position) {
    if (contextMenuId == 0) return false;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(contextMenuId));
    if (menu == nullptr) return false;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup != nullptr) {
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, static_cast<short>(LOWORD(position)),
                       static_cast<short>(HIWORD(position)), 0, m_hWnd, nullptr);
    }
    DestroyMenu(menu);
    return popup != nullptr;
}
