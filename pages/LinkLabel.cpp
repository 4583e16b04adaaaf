#include "pages/LinkLabel.h"

#include <shellapi.h>

#include "common/BoundedText.h"

LinkLabel::LinkLabel()
    : textColor(GetSysColor(COLOR_WINDOWTEXT)),
      backBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      blinkBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    font = CreateFontIndirectA(&logFont);
}

LinkLabel::~LinkLabel() {
    if (m_hWnd != nullptr) {
        if (blinking) KillTimer(kBlinkTimer);
        UnsubclassWindow();
    }
    if (font != nullptr) DeleteObject(font);
    DeleteObject(backBrush);
    DeleteObject(blinkBrush);
}

void LinkLabel::RebuildFont() {
    HFONT created = CreateFontIndirectA(&logFont);
    if (created == nullptr) return;
    if (font != nullptr) DeleteObject(font);
    font = created;
}

void LinkLabel::RedrawNow() {
    if (m_hWnd != nullptr) RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void LinkLabel::SetTextColor(COLORREF color) {
    textColor = color;
    RedrawNow();
}

void LinkLabel::SetBackgroundColor(COLORREF color) {
    DeleteObject(backBrush);
    backBrush = CreateSolidBrush(color);
}

void LinkLabel::SetFontHeight(int pixels) {
    logFont.lfHeight = -pixels;
    RebuildFont();
    RedrawNow();
}

void LinkLabel::SetFontName(const char* faceName) {
    // LOGFONT's face name holds at most 31 characters.
    CopyText(logFont.lfFaceName, faceName);
    RebuildFont();
    RedrawNow();
}

void LinkLabel::SetFontBold(bool bold) {
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    RebuildFont();
    RedrawNow();
}

void LinkLabel::SetFontItalic(bool italic) {
    logFont.lfItalic = italic ? TRUE : FALSE;
    RebuildFont();
    RedrawNow();
}

void LinkLabel::SetFontUnderline(bool underline) {
    logFont.lfUnderline = underline ? TRUE : FALSE;
    RebuildFont();
    RedrawNow();
}

void LinkLabel::SetSunken(bool sunken) {
    if (sunken)
        ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    else
        ModifyStyleEx(WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
}

void LinkLabel::SetBorder(bool border) {
    if (border)
        ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    else
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
}

void LinkLabel::SetLink(bool link) {
    // Without SS_NOTIFY a static control lets mouse clicks through to its parent.
    if (link)
        ModifyStyle(0, SS_NOTIFY);
    else
        ModifyStyle(SS_NOTIFY, 0);
}

void LinkLabel::StopBlink() {
    if (blinkMode == TextBlink) SetWindowText(savedText.c_str());
    if (m_hWnd != nullptr) KillTimer(kBlinkTimer);
    blinking = 0;
    blinkMode = NoBlink;
}

void LinkLabel::StartBlink(BlinkMode mode) {
    StopBlink();
    if (mode == TextBlink) {
        char text[512];
        GetWindowText(text);
        savedText = text;
    }
    blinkPhase = 0;
    blinking = 1;
    SetTimer(kBlinkTimer, kBlinkPeriod);
    blinkMode = mode;
}

void LinkLabel::SetTextBlink(bool on) {
    if (on)
        StartBlink(TextBlink);
    else
        StopBlink();
}

void LinkLabel::SetBackgroundBlink(bool on) {
    if (on)
        StartBlink(BackgroundBlink);
    else
        StopBlink();
}

HBRUSH LinkLabel::CtlColor(HDC dc, UINT ctlType) {
    if (ctlType == CTLCOLOR_STATIC) {
        SelectObject(dc, font);
        ::SetTextColor(dc, textColor);
        SetBkMode(dc, TRANSPARENT);
    }
    return (blinkMode == BackgroundBlink && blinkPhase == 0) ? blinkBrush : backBrush;
}

void LinkLabel::OnTimer() {
    blinkPhase = blinkPhase ? 0 : 1;
    if (blinkMode == TextBlink) {
        SetWindowText(blinkPhase == 1 ? "" : savedText.c_str());
    } else if (blinkMode == BackgroundBlink) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        UpdateWindow();
    }
}

LRESULT LinkLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kBlinkTimer) OnTimer();
            break;
        case WM_LBUTTONDOWN: {
            char text[MAX_PATH];
            GetWindowText(text);
            ShellExecuteA(nullptr, "open", text, nullptr, nullptr, SW_SHOWNORMAL);
            break;
        }
        case WM_SETCURSOR:
            if (linkCursor != nullptr) {
                SetCursor(linkCursor);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
