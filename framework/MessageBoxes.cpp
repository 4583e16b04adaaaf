#include "framework/MessageBoxes.h"

#include "common/BoundedText.h"
#include "framework/Dialog.h"

#include <cstring>
#include <string>

const char* AppTitle() {
    static char title[MAX_PATH];
    if (title[0] == '\0') {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        const char* name = strrchr(path, '\\');
        CopyText(title, name ? name + 1 : path);
        char* dot = strrchr(title, '.');
        if (dot) *dot = '\0';
    }
    return title;
}

namespace {
MessageSink messageSink = nullptr;

// The widest run without a space the box may show on one line, in bytes: a path of 230 characters
// would otherwise stretch the box far beyond the screen, since the box breaks lines only at spaces.
constexpr size_t kWidestRun = 60;

// The text with a line break after a backslash wherever a run without spaces or breaks (a path) would
// grow beyond kWidestRun; stepped through by character, since a second byte of code page 936 may be a
// backslash. A run without backslashes is left whole.
std::string BreakLongPaths(const char* text) {
    std::string broken;
    size_t run = 0;
    size_t breakAt = std::string::npos;  // just after the run's last backslash
    for (const char* at = text; *at != '\0';) {
        const char* next = CharNextA(at);
        size_t length = static_cast<size_t>(next - at);
        if (*at == ' ' || *at == '\n' || *at == '\t') {
            run = 0;
            breakAt = std::string::npos;
        } else if (run + length > kWidestRun && breakAt != std::string::npos) {
            broken.insert(breakAt, "\n");
            run = broken.size() - breakAt - 1;
            breakAt = std::string::npos;
        }
        broken.append(at, length);
        if (*at != ' ' && *at != '\n' && *at != '\t') run += length;
        if (length == 1 && *at == '\\') breakAt = broken.size();
        at = next;
    }
    return broken;
}

int ShowBox(HWND owner, const char* text, UINT type) {
    return MessageBoxA(owner, BreakLongPaths(text).c_str(), AppTitle(), type);
}

// The sink's answer to a box of the given type: OK for a plain message, No for a question.
int RouteToSink(const char* text, UINT type) {
    messageSink(text);
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDNO;
}
}  // namespace

void RouteMessagesTo(MessageSink sink) {
    messageSink = sink;
}

void ShowWindowMessage(HWND owner, const char* text) {
    if (messageSink != nullptr) {
        RouteToSink(text, MB_OK);
        return;
    }
    ShowBox(owner, text, MB_OK);
}

namespace {
// The main window's last active pop-up once the wizard's window exists, so the wizard stays disabled
// under the box even when another program is active at that moment; none before (at start-up).
HWND AppMessageOwner() {
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main->m_hWnd == nullptr || !IsWindow(main->m_hWnd)) return nullptr;
    return GetLastActivePopup(main->m_hWnd);
}
}  // namespace

int ShowAppMessage(const char* text, UINT buttons) {
    if (messageSink != nullptr) return RouteToSink(text, buttons);
    return ShowBox(AppMessageOwner(), text, buttons | MB_ICONEXCLAMATION);
}

int AfxMessageBox(const char* text, UINT type) {
    if (messageSink != nullptr) return RouteToSink(text, type);
    return ShowBox(AppMessageOwner(), text, type);
}

int AfxMessageBox(UINT textId, UINT type) {
    char text[1024];
    LoadResourceText(textId, text);
    return AfxMessageBox(text, type);
}
