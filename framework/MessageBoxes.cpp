#include "framework/MessageBoxes.h"

#include "common/BoundedText.h"
#include "framework/Dialog.h"

#include <cstring>

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
    MessageBoxA(owner, text, AppTitle(), MB_OK);
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
    return MessageBoxA(AppMessageOwner(), text, AppTitle(), buttons | MB_ICONEXCLAMATION);
}

int AfxMessageBox(const char* text, UINT type) {
    if (messageSink != nullptr) return RouteToSink(text, type);
    return MessageBoxA(AppMessageOwner(), text, AppTitle(), type);
}

int AfxMessageBox(UINT textId, UINT type) {
    char text[1024];
    LoadResourceText(textId, text);
    return AfxMessageBox(text, type);
}
