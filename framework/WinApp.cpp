#include "framework/WinApp.h"

#include <commctrl.h>

namespace {
CWinApp* theApp = nullptr;
}  // namespace

CWinApp::CWinApp() {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return theApp;
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    app->m_hInstance = instance;
    // The progress bar is a common control; its window class must be registered before a template uses
    // it. InitCommonControls is in every version of the library (InitCommonControlsEx is not in the one
    // NT 4.0 ships with).
    InitCommonControls();
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}

// The entry point lives beside the application class, so a program that defines its application
// object links it in with the class.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return AfxWinMain(instance);
}
