#pragma once
// The deployment program's commands; each returns the program's exit code (ExitCodes.h). The command
// line has been checked against the switch table, the running system recognised and the medium
// opened before a command runs.

#include <string>
#include <vector>

#include "deploy/Switches.h"

int RunModelsCommand(const Switches& switches);
int RunInstallCommand(const Switches& switches);
int RunListCommand(const Switches& switches);
int RunRemoveCommand(const Switches& switches);
int RunExportCommand(const Switches& switches);
int RunApplyCommand(const Switches& switches);
int RunTestPageCommand(const Switches& switches);
int RunCheckCommand(const Switches& switches);
int RunRepairCommand(const Switches& switches);
int RunRollbackCommand(const Switches& switches);
int RunCommitCommand(const Switches& switches);

// With /testpage: a test page on each printer named (those the run installed, never one it kept). False
// when a page failed; its line names the printer.
bool PrintTestPagesAsked(const Switches& switches, const std::vector<std::string>& installed);

// The end of a run that installed or kept printers: kExitDone, unless Windows 98/Me needs a restart, for
// this run's installation (restartNeeded) or for an earlier run's that has not been followed by one.
// Then with /restart the restart is requested (kExitRestartStarted), otherwise kExitRestartNeeded says
// one is needed.
int FinishRun(const Switches& switches, bool restartNeeded);
