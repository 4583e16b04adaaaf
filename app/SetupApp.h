#pragma once
// The application object: lets one copy of the wizard run, refuses to start while the companion
// uninstaller is open, and runs the wizard frame with its pages as a modal dialog.

#include "framework/WinApp.h"

class SetupApp : public CWinApp {
public:
    // Runs the whole wizard; always false, so the program ends when it returns.
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // False when another copy runs (it is brought to the front) or the uninstaller is open.
    bool MayStart();
    // Runs the wizard unless the medium's paths do not fit.
    void RunChecked();
    void RunWizard();
};
