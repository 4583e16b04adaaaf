#pragma once
// Answers the message boxes this process shows while the watcher lives, from a thread of its own, and
// records their captions and texts, so a test can check what the user would have been told.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ShownMessage {
    std::string caption;
    std::string text;
    RECT frame = {};  // the box's window on the screen
};

class MessageBoxWatcher {
public:
    // answer: the button to press, IDOK, IDYES or IDNO (a box without it gets IDOK, then IDCANCEL).
    // onShown, when given, runs on the watcher's thread for each box while it is still open.
    explicit MessageBoxWatcher(int answer = IDOK, std::function<void(const ShownMessage&)> onShown = nullptr);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    std::vector<ShownMessage> Messages();
    std::vector<std::string> Texts();

private:
    void Watch();
    std::atomic<bool> stop_{false};
    std::atomic<int> answer_;
    std::function<void(const ShownMessage&)> onShown_;
    std::mutex lock_;
    std::vector<ShownMessage> messages_;
    std::thread thread_;
};

// Reads a message box's caption, text and frame; true when hwnd is a message box.
bool ReadMessageBox(HWND hwnd, ShownMessage& message);
// Presses a button of a message box: the answer when it has it, otherwise OK, otherwise Cancel.
void AnswerMessageBox(HWND hwnd, int answer);
