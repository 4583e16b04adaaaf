#pragma once
// The deployment program's commands; each returns the program's exit code (ExitCodes.h). The command
// line has been checked against the switch table, the running system recognised and the medium
// opened before a command runs.

#include "deploy/Switches.h"

int RunModelsCommand(const Switches& switches);
int RunInstallCommand(const Switches& switches);
int RunListCommand(const Switches& switches);
int RunRemoveCommand(const Switches& switches);
int RunExportCommand(const Switches& switches);
int RunApplyCommand(const Switches& switches);

// The end of an installation on Windows 98/Me: with /restart the restart is requested (kExitRestartStarted),
// otherwise kExitRestartNeeded says one is needed.
int FinishOnWindows98(const Switches& switches);
