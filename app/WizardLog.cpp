#include "app/WizardLog.h"

#include "common/ResourceText.h"
#include "common/TillLog.h"
#include "engine/DriverFileCopy.h"
#include "engine/DriverMediumRecord.h"
#include "pages/SystemPage.h"
#include "resources/ResourceIds.h"

namespace {
// The texts of EngineStep, in its order.
const UINT kStepTexts[] = {
    IDS_LOG_STEP_MONITORS, IDS_LOG_STEP_PROCESSOR, IDS_LOG_STEP_DRIVER_FILES, IDS_LOG_STEP_DRIVER,
    IDS_LOG_STEP_PRINTER,  IDS_LOG_STEP_DEFAULT,   IDS_LOG_STEP_SERIAL,
};

std::string StepText(int step) {
    return ResourceText(kStepTexts[step]);
}

std::string StopBitsText(double stopBits) {
    if (stopBits > 1.9) return "2";
    return stopBits > 1.4 ? "1.5" : "1";
}
}  // namespace

void LogWizardStart() {
    char program[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) program[0] = '\0';
    char medium[MAX_PATH] = {};
    length = GetCurrentDirectoryA(sizeof medium, medium);
    if (length == 0 || length >= sizeof medium) medium[0] = '\0';
    // The medium's version is the version resource of its programs.
    std::string version = RunningMediumVersion().text;
    TillLogResource(IDS_LOG_WIZARD_STARTED, program, version.c_str());
    TillLogResource(IDS_LOG_MEDIUM, medium, version.c_str());
}

void LogPrinterChoice(const char* model, bool setAsDefault) {
    std::string answer = ResourceText(setAsDefault ? IDS_LOG_YES : IDS_LOG_NO);
    TillLogResource(IDS_LOG_PRINTER_CHOSEN, model, answer.c_str());
}

void LogModeChoice(int installMode) {
    TillLogResource(installMode == Typical ? IDS_LOG_MODE_TYPICAL : IDS_LOG_MODE_ADVANCED);
}

void LogSystemConfirmed(int targetSystem) {
    TillLogResource(IDS_LOG_SYSTEM_CONFIRMED, SystemName(targetSystem).c_str());
}

void LogPortChoice(const InstallChoices& choices) {
    TillLogResource(IDS_LOG_PORT_CHOSEN, choices.portName);
    if (choices.portKind != Serial) return;
    TillLogResource(IDS_LOG_SERIAL_CHOSEN, static_cast<int>(choices.baudRate),
                    static_cast<int>(choices.dataBits), StopBitsText(choices.stopBits).c_str(),
                    choices.parity, choices.flowControl);
}

void LogMessageShown(const char* text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    TillLogResource(IDS_LOG_MESSAGE_SHOWN, line.c_str());
}

void StepLog::OnStep(EngineStep step) {
    if (current_ >= 0) TillLogResource(IDS_LOG_STEP_DONE, StepText(current_).c_str());
    current_ = static_cast<int>(step);
}

void StepLog::Finish(bool succeeded, const char* printerName) {
    if (current_ >= 0) {
        TillLogResource(succeeded ? IDS_LOG_STEP_DONE : IDS_LOG_STEP_FAILED, StepText(current_).c_str());
    }
    current_ = -1;
    if (succeeded) {
        TillLogResource(IDS_LOG_INSTALL_SUCCEEDED, printerName);
        return;
    }
    const CopyFailure& failure = LastCopyFailure();
    if (failure.name[0] != '\0') {
        TillLogResource(IDS_LOG_COPY_FAILURE, failure.name, static_cast<unsigned long>(failure.error),
                        failure.source);
    }
    TillLogResource(IDS_LOG_INSTALL_FAILED);
}
