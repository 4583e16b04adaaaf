#pragma once
// A static text with its own text colour, background brush and font, which can blink (its text or its
// background, every 500 ms) and can act as a link that opens its own text when clicked.

#include <string>

#include "framework/Controls.h"

class LinkLabel : public CStatic {
public:
    enum BlinkMode { NoBlink = 0, TextBlink = 1, BackgroundBlink = 2 };
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkPeriod = 500;

    LinkLabel();
    ~LinkLabel() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH CtlColor(HDC dc, UINT ctlType) override;

    void SetTextColor(COLORREF color);
    // The normal background; takes effect at the next paint.
    void SetBackgroundColor(COLORREF color);
    // Height in pixels (the font is made -height high, that is by character height).
    void SetFontHeight(int pixels);
    void SetFontName(const char* faceName);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);
    void SetFontUnderline(bool underline);
    void SetText(const char* text) { SetWindowText(text); }
    void SetSunken(bool sunken);
    void SetBorder(bool border);
    // Link mode: the label takes mouse clicks and opens its text.
    void SetLink(bool link);
    void SetTextBlink(bool on);
    void SetBackgroundBlink(bool on);
    void SetLinkCursor(HCURSOR cursor) { linkCursor = cursor; }

    COLORREF TextColor() const { return textColor; }
    const LOGFONTA& FontDescription() const { return logFont; }
    int BlinkPhase() const { return blinkPhase; }
    int Mode() const { return blinkMode; }

private:
    void RebuildFont();
    void RedrawNow();
    void StopBlink();
    void StartBlink(BlinkMode mode);
    void OnTimer();

    COLORREF textColor;
    HBRUSH backBrush;
    HBRUSH blinkBrush;
    LOGFONTA logFont = {};
    HFONT font = nullptr;
    std::string savedText;
    int blinkPhase = 0;
    int blinking = 0;
    int blinkMode = NoBlink;
    HCURSOR linkCursor = nullptr;
};
