#include "pages/ProgressWindow.h"

#include "framework/DataExchange.h"
#include "common/ResourceText.h"
#include "resources/ResourceIds.h"

namespace {
const UINT_PTR kAnimationTimer = 1;
const int kProgressBarId = 1079;
const int kCreepLimit = 90;  // the bar waits here until the engine ends
}  // namespace

ProgressWindow::ProgressWindow(CWnd* owner) : CDialog(IDD_PROGRESS, owner) {}

void ProgressWindow::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, kProgressBarId, bar_);
}

BOOL ProgressWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    bar_.SetRange(0, 100);
    SetTimer(kAnimationTimer, 100);
    return TRUE;
}

LRESULT ProgressWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            // The first tick runs the whole animation without returning to the message loop.
            if (wParam == kAnimationTimer && !animating_) RunAnimation();
            return TRUE;
        case WM_PAINT:
            Paint();
            return TRUE;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
}

// The message loop does not run during the animation, so each new position is drawn at once: only
// the part of the bar the new position changed (a whole bar at every step added about 90 ms to an
// installation under Wine, whose bar paints that part itself).
void ProgressWindow::ShowPosition(int position) {
    bar_.SetPos(position);
    bar_.UpdateWindow();
}

void ProgressWindow::Close() {
    EndDialog(IDOK);
}

void ProgressWindow::RunAnimation() {
    animating_ = true;
    for (int step = 0;; ++step) {
        if (targetSystem == Windows98Me && step == kCreepLimit) return Close();
        int state = finishState.load();
        if (state == Failed) {
            for (int position = step; position >= 1; --position) {
                Sleep(10);
                ShowPosition(position);
            }
            ShowPosition(0);
            Sleep(100);
            return Close();
        }
        if (state == Succeeded) {
            for (int position = step; position <= 99; ++position) {
                Sleep(10);
                ShowPosition(position);
            }
            Sleep(100);
            return Close();
        }
        if (step >= kCreepLimit) step = kCreepLimit;
        ShowPosition(step % 100);
        Sleep(80);
    }
}

void ProgressWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT text;
    GetClientRect(&text);
    text.bottom = (2 * text.bottom) / 3;
    HFONT font = CreateFontA(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 51, 153));
    DrawTextA(dc, ResourceText(IDS_INSTALLING).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, previous);
    DeleteObject(font);
    EndPaint(m_hWnd, &paint);
}
