#include "tests/sequence/SequenceSupport.h"

#include <thread>

#include "choices/InstallRules.h"
#include "common/BoundedText.h"
#include "engine/InstallationSequence.h"

void FillChoices(InstallChoices& choices, const char* model, const char* port) {
    choices.category = Receipt;
    choices.targetSystem = ExpectedSystem();
    CopyText(choices.modelName, model);
    CopyText(choices.portName, port);
    choices.usbPortAlias[0] = '\0';
    choices.gdiDriver = 0;
    choices.baudRate = 9600;
    choices.dataBits = 8;
    choices.stopBits = 1;
    choices.parity = 'n';
    choices.flowControl = 'x';
    choices.engineStatus = 0;
    choices.config.currentCategory = choices.category;
    choices.portKind = static_cast<PortKind>(DerivePortKind(port));
    choices.driverFiles = DriverFileList();
    choices.driverInfo = DRIVER_INFO_3A();
    choices.monitorInfo = MONITOR_INFO_2A();
    choices.printerInfo = PRINTER_INFO_2A();
    choices.config.ReadDriverFiles(choices.modelName, choices.targetSystem, choices.driverFiles, 0);
    choices.config.ReadDriverInfo(choices.modelName, choices.targetSystem, choices.driverInfo, 0);
    choices.config.ReadPrinterInfo(choices.modelName, choices.targetSystem, choices.printerInfo, 0);
    choices.printerInfo.pPortName = choices.portName;
    AppendPortSuffix(choices.config.printerName, sizeof choices.config.printerName, choices.portKind,
                     choices.portName);
}

EngineOutcome RunEngine(WizardDialog& wizard) {
    ProgressWindow progress;
    progress.targetSystem = wizard.choices.targetSystem;
    progress.finishState = Running;
    resultMessage[0] = '\0';
    EngineTask task = {&wizard.choices, &progress.finishState};
    std::thread engine([&task] { RunInstallation(&task); });
    engine.join();
    return {progress.finishState.load(), resultMessage};
}
