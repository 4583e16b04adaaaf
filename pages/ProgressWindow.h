#pragma once
// The small modal window in front of the desktop while the installation engine works on its own
// thread: a line of text above a bar that creeps towards 90 % and, once the engine has ended, runs up
// to the end (success) or back to zero (failure) before the window closes itself.

#include <atomic>

#include "common/SharedTypes.h"
#include "engine/InstallationSequence.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class ProgressWindow : public CDialog {
public:
    explicit ProgressWindow(CWnd* owner = nullptr);

    int targetSystem = Windows98Me;
    // Written by the engine thread as its very last act, read here once per step of the animation.
    std::atomic<int> finishState{Running};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Enter and Esc do nothing: the window closes only when the engine has ended (or, on Windows
    // 98/Me, when the bar reaches 90 %).
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RunAnimation();
    void ShowPosition(int position);
    void Close();
    void Paint();

    CProgressCtrl bar_;
    bool animating_ = false;
};
