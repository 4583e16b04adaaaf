// The wizard frame run inside the test process, so its menu, pages and handles can be inspected while a
// second thread drives it as the user would.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "app/WizardDialog.h"
#include "framework/DataExchange.h"
#include "resources/ControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"

namespace {
// A page on the licence page's template that can refuse to give its data.
class TestPage : public CDialog {
public:
    TestPage() : CDialog(IDD_LICENSE_PAGE) {}
    void DoDataExchange(CDataExchange* dx) override {
        if (refuse && dx->m_bSaveAndValidate) dx->Fail(IDC_ACCEPT);
    }
    void OnOK() override {}
    void OnCancel() override {}
    bool refuse = false;
};

// Runs the frame modally on this thread from the built medium; check runs on a second thread once the
// frame is shown, then the frame is cancelled.
INT_PTR RunFrame(WizardDialog& wizard, const std::function<void(HWND)>& check) {
    CurrentDirectoryScope directory(WizardDriver::BuiltMedium());
    std::thread driver([&] {
        for (int i = 0; i < 500 && (wizard.m_hWnd == nullptr || !IsWindowVisible(wizard.m_hWnd)); ++i)
            Sleep(10);
        HWND hwnd = wizard.m_hWnd;
        if (hwnd == nullptr) return;
        check(hwnd);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    INT_PTR result = wizard.DoModal();
    driver.join();
    return result;
}

RECT ScreenRect(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

std::string Caption(HWND hwnd) {
    char text[100] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}
}  // namespace

TEST(WizardFrameInProcess, AboutEntryIsTheLastSystemMenuItemAfterASeparator) {
    WizardDialog wizard;
    TestPage page;
    wizard.AddPage("阅读版权声明", &page, IDD_LICENSE_PAGE);
    RunFrame(wizard, [](HWND hwnd) {
        HMENU menu = GetSystemMenu(hwnd, FALSE);
        ASSERT_NE(nullptr, menu);
        int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(menu, count - 1));
        char text[100] = {};
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("关于 Qelvan Setup(&A)...", text);
        EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
        // The minimised wizard is dragged with the program icon.
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
        // One page only: the button says Install from the start.
        EXPECT_EQ("安装 (&I)", Caption(GetDlgItem(hwnd, IDOK)));
    });
}

TEST(WizardFrameInProcess, PagesFillThePageAreaAndNextAndBackMoveBetweenThem) {
    WizardDialog wizard;
    TestPage first, second;
    wizard.AddPage("first", &first, IDD_LICENSE_PAGE);
    wizard.AddPage("second", &second, IDD_LICENSE_PAGE);
    EXPECT_EQ(&second, wizard.GetPage(1));
    EXPECT_EQ("second", wizard.PageTitle(1));
    RunFrame(wizard, [&](HWND hwnd) {
        HWND next = GetDlgItem(hwnd, IDOK), back = GetDlgItem(hwnd, IDC_BACK);
        RECT area = ScreenRect(GetDlgItem(hwnd, IDC_PAGE_AREA));
        auto fillsArea = [&](const CDialog& page) {
            RECT rect = ScreenRect(page.m_hWnd);
            EXPECT_EQ(area.left, rect.left);
            EXPECT_EQ(area.top, rect.top);
            EXPECT_EQ(area.right, rect.right);
            EXPECT_EQ(area.bottom, rect.bottom);
            EXPECT_EQ(hwnd, GetParent(page.m_hWnd));
        };
        fillsArea(first);
        EXPECT_TRUE(IsWindowVisible(first.m_hWnd));
        // A later page gets its window when the user first moves to it.
        EXPECT_EQ(nullptr, second.m_hWnd);
        EXPECT_EQ("下一步 (&N)>>", Caption(next));
        EXPECT_EQ("<<上一步 (&B)", Caption(back));
        EXPECT_EQ("取消 (&C)", Caption(GetDlgItem(hwnd, IDCANCEL)));
        EXPECT_FALSE(IsWindowEnabled(back));

        // The template's Next is disabled; a page enables it (the licence page on accept).
        EnableWindow(next, TRUE);
        SendMessageA(next, BM_CLICK, 0, 0);
        EXPECT_EQ(1, wizard.CurrentPage());
        fillsArea(second);
        EXPECT_FALSE(IsWindowVisible(first.m_hWnd));
        EXPECT_TRUE(IsWindowVisible(second.m_hWnd));
        EXPECT_EQ("安装 (&I)", Caption(next));
        EXPECT_TRUE(IsWindowEnabled(back));

        SendMessageA(back, BM_CLICK, 0, 0);
        EXPECT_EQ(0, wizard.CurrentPage());
        EXPECT_TRUE(IsWindowVisible(first.m_hWnd));
        EXPECT_FALSE(IsWindowVisible(second.m_hWnd));
        EXPECT_EQ("下一步 (&N)>>", Caption(next));
        EXPECT_FALSE(IsWindowEnabled(back));
        EXPECT_TRUE(IsWindowEnabled(next));
    });
    // The page table is emptied when the frame's window goes.
    EXPECT_EQ(0, wizard.PageCount());
}

TEST(WizardFrameInProcess, PageThatCannotGiveItsDataIsNotLeft) {
    WizardDialog wizard;
    TestPage first, second;
    first.refuse = true;
    wizard.AddPage("first", &first, IDD_LICENSE_PAGE);
    wizard.AddPage("second", &second, IDD_LICENSE_PAGE);
    RunFrame(wizard, [&](HWND hwnd) {
        HWND next = GetDlgItem(hwnd, IDOK);
        EnableWindow(next, TRUE);
        SendMessageA(next, BM_CLICK, 0, 0);
        EXPECT_EQ(0, wizard.CurrentPage());
        EXPECT_TRUE(IsWindowVisible(first.m_hWnd));
        EXPECT_FALSE(IsWindowVisible(second.m_hWnd));
        EXPECT_EQ("下一步 (&N)>>", Caption(next));
        first.refuse = false;
        SendMessageA(next, BM_CLICK, 0, 0);
        EXPECT_EQ(1, wizard.CurrentPage());
    });
}

TEST(WizardFrameInProcess, BannerIsStretchedOntoTheBannerArea) {
    WizardDialog wizard;
    TestPage page;
    wizard.AddPage("page", &page, IDD_LICENSE_PAGE);
    RunFrame(wizard, [&](HWND hwnd) {
        HWND banner = GetDlgItem(hwnd, IDC_BANNER);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageA(hwnd, WM_NULL, 0, 0);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(nullptr, "DRVCONFIG\\Left.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT client;
        GetClientRect(banner, &client);
        HDC dc = GetDC(banner);
        // A point in the middle of the banner's interior (the control draws its own frame line).
        int x = client.right / 3, y = client.bottom / 4;
        COLORREF expected =
            GetPixel(memory, x * info.bmWidth / client.right, y * info.bmHeight / client.bottom);
        COLORREF shown = GetPixel(dc, x, y);
        EXPECT_NEAR(GetBValue(expected), GetBValue(shown), 24);
        EXPECT_NEAR(GetGValue(expected), GetGValue(shown), 24);
        ReleaseDC(banner, dc);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    });
}
