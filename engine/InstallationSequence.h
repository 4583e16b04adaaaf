#pragma once
// The installation engine: for a filled InstallChoices it brings the port monitors and print processor
// up to date, copies and registers the driver, creates the printer and writes the serial settings, on a
// worker thread while the progress window runs.

#include <windows.h>

#include <atomic>

#include "choices/InstallChoices.h"
#include "engine/EngineObserver.h"

// The hand-over between the engine thread and whoever waits for it (the progress window): Running
// until the engine's very last act sets Failed or Succeeded.
enum FinishState { Running = 0, Failed = 1, Succeeded = 2 };

// What the Install command hands to the engine thread: just what the engine touches.
struct EngineTask {
    InstallChoices* choices;             // the record the engine installs from and writes its results to
    std::atomic<int>* finishState;       // the engine's last write
    EngineObserver* observer = nullptr;  // told of each step
};

// The thread procedure: runs the installation for task->choices, leaves its message in the
// program-wide resultMessage and, as its very last act, sets *task->finishState. Returns 0.
UINT RunInstallation(LPVOID task);

// The component steps of an installation: installs the port monitor the port needs and the print
// processor when missing, and replaces the first outdated one (choices.engineStatus says which were
// outdated). False with message set when a step failed.
bool InstallComponents(InstallChoices& choices, MessageText& message, EngineObserver* observer = nullptr);

// Writes choices' serial settings for its port where the system keeps them; nothing for a port
// without "COM" in its name.
void WriteChosenSerialSettings(InstallChoices& choices);

// The driver steps of an installation: copies the driver's files (and the system's shared ones it
// needs) into the printer-driver directory, registers the driver and records the running medium's
// version for it (engine/DriverMediumRecord.h). With replaceFiles every file
// replaces the one the spooler holds, whatever their ages (a newer medium's driver). False with message
// set when a step failed.
bool InstallDriver(InstallChoices& choices, bool replaceFiles, MessageText& message,
                   EngineObserver* observer = nullptr);

// The installation steps themselves. True on success; on failure message says why (it stays as the
// failing step left it). On success on every system but Windows 98/Me message holds the success text.
bool InstallPrinter(InstallChoices& choices, MessageText& message, EngineObserver* observer = nullptr);
