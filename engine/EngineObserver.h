#pragma once
// An optional watcher of the installation engine's steps. The wizard passes one that writes each step
// with its outcome to the till's log (app/WizardLog.h); the deployment program passes one that tells its
// user what is being done.

// The engine's steps, in the order the engine takes them.
enum class EngineStep {
    PortMonitors,
    PrintProcessor,
    DriverFiles,
    Driver,
    Printer,
    DefaultPrinter,
    SerialSettings,
};

class EngineObserver {
public:
    virtual ~EngineObserver() = default;
    // Called on the engine's thread as the step begins.
    virtual void OnStep(EngineStep step) = 0;
};
