// The custom controls through the reflected control-colour messages of their parent, their typed-
// character filter, their fonts and their blinking.
#include <gtest/gtest.h>

#include "pages/CEditEx.h"
#include "pages/LinkLabel.h"
#include "tests/framework/FrameworkTestForm.h"

namespace {
// What a parent's control-colour message did to a device context.
struct Painted {
    HBRUSH brush;
    COLORREF text;
    COLORREF back;
    int mode;
    HGDIOBJ font;
};

Painted AskParent(HWND parent, UINT message, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(9, 9, 9));
    SetBkColor(dc, RGB(8, 8, 8));
    SetBkMode(dc, OPAQUE);
    Painted painted;
    painted.brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    painted.text = GetTextColor(dc);
    painted.back = GetBkColor(dc);
    painted.mode = GetBkMode(dc);
    painted.font = GetCurrentObject(dc, OBJ_FONT);
    DeleteDC(dc);
    return painted;
}

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH description = {};
    GetObjectA(brush, sizeof description, &description);
    return description.lbColor;
}

class NoDigits : public CharFilter {
public:
    bool Accepts(UINT character) override { return character < '0' || character > '9'; }
};

std::string Text(HWND hwnd) {
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}
}  // namespace

TEST(CEditEx, ReadOnlyBoxIsPaintedInTheWindowColourNotGrey) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    CEditEx edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_FW_READONLY, &form));
    HWND control = form.GetDlgItem(IDC_FW_READONLY);
    // A read-only edit control asks its parent with WM_CTLCOLORSTATIC.
    Painted painted = AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, control);
    ASSERT_NE(nullptr, painted.brush);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), BrushColor(painted.brush));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), painted.back);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), painted.text);

    EXPECT_EQ(GetSysColor(COLOR_WINDOW), edit.SetBackColor(RGB(1, 2, 3)));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), edit.SetTextColor(RGB(4, 5, 6)));
    painted = AskParent(form.m_hWnd, WM_CTLCOLOREDIT, control);
    EXPECT_EQ(RGB(1, 2, 3), BrushColor(painted.brush));
    EXPECT_EQ(RGB(1, 2, 3), painted.back);
    EXPECT_EQ(RGB(4, 5, 6), painted.text);

    // A control without a wrapper gets the dialog manager's colours.
    Painted plain = AskParent(form.m_hWnd, WM_CTLCOLOREDIT, form.GetDlgItem(IDC_FW_TEXT));
    EXPECT_NE(painted.brush, plain.brush);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), plain.text);
}

TEST(CEditEx, FilterDropsRejectedCharactersAndFontsAndLookAreCopied) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    CEditEx edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_FW_TEXT, &form));
    SetWindowTextA(edit.m_hWnd, "");
    edit.SetCharFilter(new NoDigits);
    for (char c : std::string("a1b2")) SendMessageA(edit.m_hWnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ("ab", Text(edit.m_hWnd));
    edit.SetCharFilter(nullptr);
    SendMessageA(edit.m_hWnd, WM_CHAR, '3', 1);
    EXPECT_EQ("ab3", Text(edit.m_hWnd));

    edit.SetFont(-20, FF_MODERN, "宋体");
    ASSERT_NE(nullptr, edit.Font());
    EXPECT_EQ(edit.Font(), reinterpret_cast<HFONT>(SendMessageA(edit.m_hWnd, WM_GETFONT, 0, 0)));
    edit.SetBackColor(RGB(10, 20, 30));

    CEditEx copy;
    ASSERT_TRUE(copy.SubclassDlgItem(IDC_FW_NUMBER, &form));
    copy.CopyLook(edit);
    EXPECT_EQ(RGB(10, 20, 30), copy.BackColor());
    LOGFONTA font = {};
    GetObjectA(copy.Font(), sizeof font, &font);
    EXPECT_EQ(-20, font.lfHeight);
    EXPECT_STREQ("宋体", font.lfFaceName);
}

TEST(LinkLabel, PaintsItsTextTransparentlyOverItsOwnBackground) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    LinkLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(IDC_FW_LABEL, &form));
    label.SetTextColor(RGB(0, 0, 255));
    label.SetBackgroundColor(RGB(255, 202, 253));
    label.SetFontHeight(14);
    label.SetFontName("宋体");
    label.SetText("您需要升级USB设备驱动！");
    EXPECT_EQ("您需要升级USB设备驱动！", Text(label.m_hWnd));

    Painted painted = AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, label.m_hWnd);
    EXPECT_EQ(RGB(255, 202, 253), BrushColor(painted.brush));
    EXPECT_EQ(RGB(0, 0, 255), painted.text);
    EXPECT_EQ(TRANSPARENT, painted.mode);
    LOGFONTA selected = {};
    GetObjectA(painted.font, sizeof selected, &selected);
    EXPECT_EQ(-14, selected.lfHeight);
    EXPECT_STREQ("宋体", selected.lfFaceName);

    // Other colour types get the brush but leave the device context alone.
    painted = AskParent(form.m_hWnd, WM_CTLCOLORBTN, label.m_hWnd);
    EXPECT_EQ(RGB(255, 202, 253), BrushColor(painted.brush));
    EXPECT_EQ(RGB(9, 9, 9), painted.text);
}

TEST(LinkLabel, FaceNameKeepsHeightWeightAndCharacterSet) {
    LinkLabel label;
    label.SetFontHeight(14);
    label.SetFontBold(true);
    BYTE charset = label.FontDescription().lfCharSet;
    label.SetFontName("宋体");
    EXPECT_EQ(-14, label.FontDescription().lfHeight);
    EXPECT_EQ(FW_BOLD, label.FontDescription().lfWeight);
    EXPECT_EQ(charset, label.FontDescription().lfCharSet);
    // The face name holds at most 31 characters.
    label.SetFontName("A face name far longer than thirty-one characters");
    EXPECT_EQ(31u, strlen(label.FontDescription().lfFaceName));
}

TEST(LinkLabel, BackgroundBlinkAlternatesBetweenButtonFaceAndTheBackground) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    LinkLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(IDC_FW_LABEL, &form));
    label.SetBackgroundColor(RGB(255, 202, 253));
    label.SetBackgroundBlink(true);
    EXPECT_EQ(LinkLabel::BackgroundBlink, label.Mode());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE),
              BrushColor(AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, label.m_hWnd).brush));
    SendMessageA(label.m_hWnd, WM_TIMER, LinkLabel::kBlinkTimer, 0);
    EXPECT_EQ(RGB(255, 202, 253), BrushColor(AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, label.m_hWnd).brush));
    SendMessageA(label.m_hWnd, WM_TIMER, LinkLabel::kBlinkTimer, 0);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE),
              BrushColor(AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, label.m_hWnd).brush));
    label.SetBackgroundBlink(false);
    EXPECT_EQ(RGB(255, 202, 253), BrushColor(AskParent(form.m_hWnd, WM_CTLCOLORSTATIC, label.m_hWnd).brush));

    // The blink timer really runs every 500 ms.
    label.SetBackgroundBlink(true);
    DWORD start = GetTickCount();
    MSG message;
    while (label.BlinkPhase() == 0 && GetTickCount() - start < 3000) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(5);
    }
    EXPECT_EQ(1, label.BlinkPhase());
    EXPECT_GE(GetTickCount() - start, 400u);
}

TEST(LinkLabel, TextBlinkHidesAndRestoresTheText) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    LinkLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(IDC_FW_LABEL, &form));
    label.SetText("hello");
    label.SetTextBlink(true);
    SendMessageA(label.m_hWnd, WM_TIMER, LinkLabel::kBlinkTimer, 0);
    EXPECT_EQ("", Text(label.m_hWnd));
    SendMessageA(label.m_hWnd, WM_TIMER, LinkLabel::kBlinkTimer, 0);
    EXPECT_EQ("hello", Text(label.m_hWnd));
    SendMessageA(label.m_hWnd, WM_TIMER, LinkLabel::kBlinkTimer, 0);
    // Switching to background blinking stops the text blink and gives the text back.
    label.SetBackgroundBlink(true);
    EXPECT_EQ("hello", Text(label.m_hWnd));
    EXPECT_EQ(LinkLabel::BackgroundBlink, label.Mode());
    label.SetBackgroundBlink(false);
    EXPECT_EQ(LinkLabel::NoBlink, label.Mode());

    label.SetLink(true);
    EXPECT_TRUE(GetWindowLongA(label.m_hWnd, GWL_STYLE) & SS_NOTIFY);
    label.SetLink(false);
    EXPECT_FALSE(GetWindowLongA(label.m_hWnd, GWL_STYLE) & SS_NOTIFY);
    label.SetSunken(true);
    EXPECT_TRUE(GetWindowLongA(label.m_hWnd, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    label.SetBorder(true);
    EXPECT_TRUE(GetWindowLongA(label.m_hWnd, GWL_STYLE) & WS_BORDER);
    HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
    label.SetLinkCursor(hand);
    EXPECT_EQ(TRUE, SendMessageA(label.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(label.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(hand, GetCursor());
}
