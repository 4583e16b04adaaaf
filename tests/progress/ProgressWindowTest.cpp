#include "pages/ProgressWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {
const int kProgressBarId = 1079;

// The positions the window gives its bar, recorded on the window's own thread as they are set, and
// how many of them the bar painted before the next one came.
std::vector<int>* recordedPositions = nullptr;
size_t* paintedPositions = nullptr;
size_t positionsAtLastPaint = 0;
WNDPROC barProcedure = nullptr;

LRESULT CALLBACK RecordingBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS && recordedPositions) recordedPositions->push_back(static_cast<int>(wParam));
    if (message == WM_PAINT && recordedPositions && positionsAtLastPaint < recordedPositions->size()) {
        positionsAtLastPaint = recordedPositions->size();
        ++*paintedPositions;
    }
    return CallWindowProcA(barProcedure, hwnd, message, wParam, lParam);
}

// The window under test, with its bar watched and Enter and Esc pressed before the animation starts.
class WatchedProgressWindow : public ProgressWindow {
protected:
    BOOL OnInitDialog() override {
        BOOL result = ProgressWindow::OnInitDialog();
        HWND bar = GetDlgItem(kProgressBarId);
        barProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingBarProc)));
        PostMessage(WM_COMMAND, IDOK);
        PostMessage(WM_COMMAND, IDCANCEL);
        return result;
    }
};

struct AnimationRun {
    std::vector<int> positions;
    size_t painted = 0;
    DWORD milliseconds = 0;
    INT_PTR result = 0;
};

// Runs the window modally while an "engine" thread reports state after engineMs (never when 0).
AnimationRun RunWindow(int targetSystem, int state, DWORD engineMs) {
    AnimationRun run;
    recordedPositions = &run.positions;
    paintedPositions = &run.painted;
    positionsAtLastPaint = 0;
    WatchedProgressWindow window;
    window.targetSystem = targetSystem;
    window.finishState = Running;
    std::atomic<bool> stop{false};
    std::thread engine([&] {
        DWORD start = GetTickCount();
        while (engineMs != 0 && !stop && GetTickCount() - start < engineMs) Sleep(5);
        if (engineMs != 0 && !stop) window.finishState = state;
    });
    DWORD start = GetTickCount();
    run.result = window.DoModal();
    run.milliseconds = GetTickCount() - start;
    stop = true;
    engine.join();
    recordedPositions = nullptr;
    return run;
}

int Maximum(const std::vector<int>& values) {
    int maximum = -1;
    for (int value : values) maximum = value > maximum ? value : maximum;
    return maximum;
}
}  // namespace

TEST(ProgressWindow, SuccessRunsTheBarUpToTheEndAndCloses) {
    AnimationRun run = RunWindow(WindowsXP, Succeeded, 2000);
    ASSERT_EQ(IDOK, run.result);
    ASSERT_FALSE(run.positions.empty());  // Enter and Esc did not close it early
    EXPECT_EQ(99, run.positions.back());
    // About 25 steps of 80 ms before the engine ended, then 10 ms steps up to 99.
    size_t creeping = 0;
    while (creeping + 1 < run.positions.size() &&
           run.positions[creeping + 1] == run.positions[creeping] + 1) {
        ++creeping;
    }
    EXPECT_EQ(99u, creeping) << "every position from 0 to 99 is shown once, in order";
    // The message loop does not run during the animation: each position that moves the bar (the first,
    // 0, does not) is painted all the same.
    EXPECT_EQ(run.positions.size() - 1, run.painted);
    EXPECT_GT(run.milliseconds, 2000u) << "the window waited for the engine";
}

TEST(ProgressWindow, FailureAfterTheBarWaitsAtNinetyRunsItDownToZero) {
    AnimationRun run = RunWindow(Windows2000, Failed, 8500);
    ASSERT_EQ(IDOK, run.result);
    ASSERT_GE(run.positions.size(), 92u + 90u);
    EXPECT_EQ(0, run.positions.back());
    // The bar crept no further than 90 and waited there; the run down starts at 91, the count the
    // window had reached, and passes every position.
    std::vector<int> creep(run.positions.begin(), run.positions.end() - 92);
    EXPECT_EQ(90, Maximum(creep));
    EXPECT_EQ(90, creep.back());
    std::vector<int> tail(run.positions.end() - 92, run.positions.end());
    for (int i = 0; i < 92; ++i) EXPECT_EQ(91 - i, tail[i]) << i;
}

TEST(ProgressWindow, OnWindows98TheWindowClosesAtNinetyWithoutWaiting) {
    AnimationRun run = RunWindow(Windows98Me, Succeeded, 0);  // the engine never reports
    ASSERT_EQ(IDOK, run.result);
    EXPECT_EQ(89, Maximum(run.positions));
    EXPECT_EQ(90u, run.positions.size()) << "positions 0 to 89, then the window closed";
}
