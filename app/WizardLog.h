#pragma once
// What the wizard writes to the till's log (common/TillLog.h): its start with the program's and the
// medium's version, the choices of each page left forward, each engine step with its outcome, the
// result shown and the restart question's answer. Lines are the string table's, short and factual.

#include <string>

#include "choices/InstallChoices.h"
#include "engine/EngineObserver.h"

// The program's path and version, and the medium (the current folder) with its version.
void LogWizardStart();
// The printer page's choice (model, default), the mode page's and the system page's.
void LogPrinterChoice(const char* model, bool setAsDefault);
void LogModeChoice(int installMode);
void LogSystemConfirmed(int targetSystem);
// The port, and for a serial port its settings, as the Install command takes them.
void LogPortChoice(const InstallChoices& choices);
// A message shown, its lines joined into one line of the log.
void LogMessageShown(const char* text);

// Told of each engine step on the engine's thread; a step is done when the next begins. Finish, after
// the engine's end, gives the last step its outcome and a failure its copy failure (file, error number,
// source), before the result message is logged.
class StepLog : public EngineObserver {
public:
    void OnStep(EngineStep step) override;
    void Finish(bool succeeded, const char* printerName);

private:
    int current_ = -1;
};
