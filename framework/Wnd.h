#pragma once
// The framework's window object: a thin owner of a window handle. A wrapper attached to a control with
// SubclassDlgItem receives that control's messages through its own WindowProc, and the parent hands it
// the control-colour message for the control (CtlColor), so a control can paint itself.

#include <windows.h>

#include <cstddef>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The wrapper attached to a window by SubclassWindow or by a dialog of the framework; null for
    // a window without one.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Routes the window's messages through WindowProc until the window is destroyed or Unsubclass is
    // called. Fails when the wrapper already has a window or hwnd is null.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // The control's own message handling; the default passes the message to the window's class.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Reflected control colour: the parent's WM_CTLCOLOR... message for this control. Returns the
    // background brush, or null to leave the colours to the parent's default.
    virtual HBRUSH CtlColor(HDC dc, UINT ctlType);

    // Thin wrappers of the window calls, on m_hWnd.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL SetWindowText(const char* text) { return ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(char* buffer, int capacity) const;
    template <size_t N>
    int GetWindowText(char (&buffer)[N]) const {
        return GetWindowText(buffer, static_cast<int>(N));
    }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) {
        return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW) {
        return ::RedrawWindow(m_hWnd, nullptr, nullptr, flags);
    }
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, (WPARAM)font, redraw); }
    HFONT GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    // Adds and removes style bits; with a frame change the non-client area is drawn again.
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    virtual BOOL DestroyWindow();

protected:
    // The window's message default: the procedure the window had before it was subclassed.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Records the wrapper for FromHandlePermanent; the dialogs call it from WM_INITDIALOG.
    void AttachWrapper(HWND hwnd);
    void DetachWrapper();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC oldProc_ = nullptr;
};

// Hands a WM_CTLCOLOR... message of a parent to the wrapper of the control it names. Returns the
// control's brush, or null when the control has no wrapper or leaves its colours alone.
HBRUSH ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
