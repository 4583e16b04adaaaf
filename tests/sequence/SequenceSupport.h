#pragma once
// Helpers of the end-to-end tests of the installation engine: choices filled the way the Install
// command fills them, from the scratch medium that is the working directory, and the engine run on
// its own thread with a real EngineTask.

#include <windows.h>

#include <string>

#include "app/WizardDialog.h"
#include "pages/ProgressWindow.h"
#include "tests/sequence/InstallationLeftovers.h"
#include "tests/sequence/SequenceMedium.h"
#include "tests/sequence/SystemState.h"

// The Install command's part before the engine: choices for a model of the receipt category on a
// port, with the driver, printer and file records read from the medium and the port suffix appended.
void FillChoices(InstallChoices& choices, const char* model, const char* port);

struct EngineOutcome {
    int finishState;
    std::string message;
};
// Runs RunInstallation on a thread of its own with an EngineTask of the wizard and a progress window
// (not shown), as the Install command does, starting from an empty resultMessage.
EngineOutcome RunEngine(WizardDialog& wizard);
