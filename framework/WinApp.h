#pragma once
// The application object: exactly one, constructed before the program starts. The framework's WinMain
// runs its InitInstance; when that returns false the program ends with ExitInstance's code, otherwise
// it runs a message loop until WM_QUIT.

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // True: run the message loop; false: end the program now.
    virtual BOOL InitInstance();
    // The program's exit code.
    virtual int ExitInstance();
    // The message loop after a successful InitInstance; returns ExitInstance's code.
    virtual int Run();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

// The one application object; null when none was constructed.
CWinApp* AfxGetApp();

// The framework's entry point: runs the application object.
int AfxWinMain(HINSTANCE instance);
