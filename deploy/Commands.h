#pragma once
// The deployment program's commands; each returns the program's exit code (ExitCodes.h).

#include "deploy/Switches.h"

int RunModelsCommand(const Switches& switches);
int RunInstallCommand(const Switches& switches);
int RunListCommand(const Switches& switches);
int RunRemoveCommand(const Switches& switches);
