#include "tests/support/MessageBoxWatcher.h"

namespace {
const int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

struct Search {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (process == search->process && IsWindowVisible(hwnd) && strcmp(className, "#32770") == 0 &&
        GetDlgItem(hwnd, kMessageTextId) != nullptr) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}
}  // namespace

bool ReadMessageBox(HWND hwnd, ShownMessage& message) {
    HWND textControl = GetDlgItem(hwnd, kMessageTextId);
    if (textControl == nullptr) return false;
    char buffer[2048] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    message.caption = buffer;
    buffer[0] = '\0';
    GetWindowTextA(textControl, buffer, sizeof buffer);
    message.text = buffer;
    GetWindowRect(hwnd, &message.frame);
    return true;
}

void AnswerMessageBox(HWND hwnd, int answer) {
    int button = answer;
    if (GetDlgItem(hwnd, button) == nullptr) button = IDOK;
    if (GetDlgItem(hwnd, button) == nullptr) button = IDCANCEL;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

MessageBoxWatcher::MessageBoxWatcher(int answer, std::function<void(const ShownMessage&)> onShown)
    : answer_(answer), onShown_(std::move(onShown)), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::Watch() {
    std::vector<HWND> answered;
    while (!stop_) {
        Search search{GetCurrentProcessId(), {}};
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
        for (HWND box : search.found) {
            bool seen = false;
            for (HWND old : answered) seen = seen || old == box;
            if (seen && IsWindow(box)) continue;
            ShownMessage message;
            if (!ReadMessageBox(box, message)) continue;
            {
                std::lock_guard<std::mutex> guard(lock_);
                messages_.push_back(message);
            }
            answered.push_back(box);
            if (onShown_) onShown_(message);
            AnswerMessageBox(box, answer_);
        }
        Sleep(20);
    }
}

std::vector<ShownMessage> MessageBoxWatcher::Messages() {
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}

std::vector<std::string> MessageBoxWatcher::Texts() {
    std::vector<std::string> texts;
    for (const ShownMessage& message : Messages()) texts.push_back(message.text);
    return texts;
}
