#pragma once
// The installation engine: for a filled InstallChoices it brings the port monitors and print processor
// up to date, copies and registers the driver, creates the printer and writes the serial settings, on a
// worker thread while the progress window runs.

#include <windows.h>

#include "app/InstallChoices.h"

class WizardDialog;
class ProgressWindow;

// What the Install command hands to the engine thread.
struct EngineTask {
    WizardDialog* wizard;      // the engine reaches InstallChoices through it
    ProgressWindow* progress;  // its finishState is the engine's last write
};

// The thread procedure: runs the installation for task->wizard's choices, leaves its message in the
// program-wide resultMessage and, as its very last act, sets task->progress's finishState. Returns 0.
UINT RunInstallation(LPVOID task);

// The installation steps themselves. True on success; on failure message says why (it stays as the
// failing step left it). On success on every system but Windows 98/Me message holds the success text.
bool InstallPrinter(InstallChoices& choices, MessageText& message);
