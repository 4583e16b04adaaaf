#include "framework/Wnd.h"

namespace {
// The window property that names a window's wrapper object.
const char kWrapperProperty[] = "QelvanWnd";
}  // namespace

CWnd::~CWnd() {
    // A control wrapper outlives nothing: give the window back its own procedure so a message that
    // arrives after the wrapper is gone never reaches freed memory.
    if (oldProc_ != nullptr && m_hWnd != nullptr && IsWindow(m_hWnd)) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    return static_cast<CWnd*>(GetPropA(hwnd, kWrapperProperty));
}

void CWnd::AttachWrapper(HWND hwnd) {
    m_hWnd = hwnd;
    SetPropA(hwnd, kWrapperProperty, this);
}

void CWnd::DetachWrapper() {
    if (m_hWnd != nullptr) RemovePropA(m_hWnd, kWrapperProperty);
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr) return false;
    AttachWrapper(hwnd);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (oldProc_ == nullptr) {
        DetachWrapper();
        return false;
    }
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr) return false;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr || oldProc_ == nullptr) return nullptr;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    oldProc_ = nullptr;
    DetachWrapper();
    return hwnd;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr || wnd->oldProc_ == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message != WM_NCDESTROY) return wnd->WindowProc(message, wParam, lParam);
    // The last message of the window: pass it on, then forget the window.
    WNDPROC oldProc = wnd->oldProc_;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (wnd->m_hWnd == hwnd) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        wnd->oldProc_ = nullptr;
        wnd->DetachWrapper();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (oldProc_ != nullptr) return CallWindowProcA(oldProc_, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

HBRUSH CWnd::CtlColor(HDC, UINT) {
    return nullptr;
}

int CWnd::GetWindowText(char* buffer, int capacity) const {
    if (capacity <= 0) return 0;
    buffer[0] = '\0';
    int length = ::GetWindowTextA(m_hWnd, buffer, capacity);
    buffer[capacity - 1] = '\0';
    return length;
}

BOOL CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | add;
    if (changed == style) return false;
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
    if (swpFlags != 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | add;
    if (changed == style) return false;
    SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, changed);
    if (swpFlags != 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

HBRUSH ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT kTypes[][2] = {
        {WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX},   {WM_CTLCOLOREDIT, CTLCOLOR_EDIT},
        {WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX}, {WM_CTLCOLORBTN, CTLCOLOR_BTN},
        {WM_CTLCOLORDLG, CTLCOLOR_DLG},         {WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR},
        {WM_CTLCOLORSTATIC, CTLCOLOR_STATIC}};
    for (const auto& type : kTypes) {
        if (type[0] != message) continue;
        CWnd* control = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        return control ? control->CtlColor(reinterpret_cast<HDC>(wParam), type[1]) : nullptr;
    }
    return nullptr;
}
