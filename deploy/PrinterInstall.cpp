#include "deploy/PrinterInstall.h"

#include <cstring>

#include "choices/InstallRecords.h"
#include "choices/InstallRules.h"
#include "choices/PortOffer.h"
#include "deploy/ComponentUpdates.h"
#include "deploy/DeployChoice.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/DriverUpdate.h"
#include "deploy/ExitCodes.h"
#include "deploy/DeployMedium.h"
#include "deploy/PersonalDefault.h"
#include "engine/DefaultPrinter.h"
#include "engine/DriverFileCopy.h"
#include "engine/InstallationSequence.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "engine/SerialSettings.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDevice.h"

namespace {
// Says each engine step as it begins, in the order of EngineStep.
class StepLines : public EngineObserver {
public:
    void OnStep(EngineStep step) override {
        static const UINT kStepTexts[] = {
            IDS_DEPLOY_STEP_MONITOR, IDS_DEPLOY_STEP_PROCESSOR, IDS_DEPLOY_STEP_COPY,
            IDS_DEPLOY_STEP_DRIVER,  IDS_DEPLOY_STEP_PRINTER,   IDS_DEPLOY_STEP_DEFAULT,
            IDS_DEPLOY_STEP_SERIAL,
        };
        SayResourceText(kStepTexts[static_cast<int>(step)]);
    }
};

// The Install command's refusal of a port it cannot install on.
bool CheckPortKind(InstallChoices& choices) {
    int portKind = DerivePortKind(choices.portName);
    if (portKind < 0) {
        SayResourceText(IDS_PORT_NOT_SUPPORTED);
        return false;
    }
    choices.portKind = static_cast<PortKind>(portKind);
    return true;
}

// The connected USB printer must carry the port's number; the wizard's question 143 is answered by
// the request's renumbering consent.
bool CheckUsbPrinter(const InstallRequest& request, int deviceId, const InstallChoices& choices,
                     int& exitCode) {
    exitCode = kExitRefused;
    UsbCheckResult check = CheckUsbNumbering(installMode, deviceId, choices.portName);
    switch (check.action) {
        case UsbCheck::Proceed:
            return true;
        case UsbCheck::NeedPrinter:
            SayResourceText(IDS_CONNECT_USB_PRINTER);
            return false;
        case UsbCheck::Stop:
            return false;
        case UsbCheck::AskRenumber:
            if (!request.renumber) {
                SayRenumberNeeded("/port", deviceId, choices.portName, check.targetNumber);
                return false;
            }
            SayResourceFormatted(IDS_DEPLOY_RENUMBERING, check.targetNumber);
            exitCode = kExitFailed;
            return ChangeUsbDeviceId(static_cast<unsigned char>(check.targetNumber));
    }
    return false;
}

// The engine's message runs a copy failure's name, number and path together, as the wizard shows it;
// a line of its own names each for the log's reader.
void SayCopyFailure() {
    const CopyFailure& failure = LastCopyFailure();
    if (failure.name[0] == '\0') return;
    if (failure.refusedName) {
        SayResourceFormatted(IDS_DEPLOY_FILE_NAME_REFUSED, failure.name, failure.source);
        return;
    }
    SayResourceFormatted(IDS_DEPLOY_FILE_NOT_COPIED, failure.name, failure.source,
                         static_cast<unsigned long>(failure.error));
}

bool RunEngine(InstallChoices& choices) {
    StepLines lines;
    std::atomic<int> finishState{Running};
    resultMessage[0] = '\0';
    ForgetCopyFailure();
    EngineTask task = {&choices, &finishState, &lines};
    RunInstallation(&task);
    if (resultMessage[0] != '\0')
        Say(resultMessage);
    else
        SayResourceText(IDS_INSTALLED);
    if (finishState != Succeeded) {
        SayCopyFailure();
        return false;
    }
    // On Windows 98/Me the engine leaves no text of its own on success: a text there is a step's failure.
    if (choices.targetSystem == Windows98Me && resultMessage[0] != '\0') {
        SayCopyFailure();
        SayResourceText(IDS_DEPLOY_ENGINE_LEFT_ERROR);
        return false;
    }
    return true;
}
}  // namespace

bool PrepareInstall(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    if (!MakeChoices(request, deviceId, choices) || !CheckPortKind(choices)) return false;
    if (choices.targetSystem == WindowsNT4 && choices.portKind == Usb) {
        SayResourceText(IDS_NT4_NO_USB);
        return false;
    }
    choices.config.currentCategory = choices.category;
    FillInstallRecords(choices);
    return CheckDriverRecords(choices);
}

int InstallPrepared(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    // The mode is program-wide, as on the wizard's mode page: a run that prepared several printers
    // left the last one's there.
    installMode = request.advanced ? Advanced : Typical;
    int refusal = kExitRefused;
    if (choices.portKind == Usb && !CheckUsbPrinter(request, deviceId, choices, refusal)) return refusal;
    ApplyPortNaming(choices);
    if (choices.setAsDefault && !DefaultPrinterIsAPersons(ResourceText(IDS_DEPLOY_DEFAULT_NOT_SET).c_str()))
        choices.setAsDefault = 0;
    if (!RunEngine(choices)) return kExitFailed;
    bool updated = false;
    if (!UpdateEveryComponent(choices, updated)) return kExitFailed;
    SayResourceFormatted(IDS_DEPLOY_PRINTER_INSTALLED, choices.printerName);
    if (choices.setAsDefault && !IsDefaultPrinter(choices.printerName)) {
        SayResourceText(IDS_DEPLOY_DEFAULT_NOT_MADE);
        return kExitFailed;
    }
    return kExitDone;
}

void SayRenumberNeeded(const char* where, int deviceId, const char* portName, int targetNumber) {
    SayResourceFormatted(IDS_DEPLOY_RENUMBER_NEEDED, where, UsbPortNumber(deviceId), portName, targetNumber);
}

std::string PortNameForEntry(const char* entry) {
    char alias[kPortNameSize];
    if (ReactionToPort(entry) == PortReaction::UsbPort && BuildUsbPortAlias(entry, alias, sizeof alias))
        return alias;
    return entry;
}

bool IsPrinterOf(const SystemPrinter& printer, const InstallChoices& choices) {
    return lstrcmpiA(printer.port.c_str(), PortNameForEntry(choices.portName).c_str()) == 0 &&
           lstrcmpiA(printer.driver.c_str(), choices.driverInfo.pName) == 0;
}

namespace {
// The printer with the model's driver (of the port's family) on the port the installation would use
// (a USB port's alias where the model has one). False when there is none or the spooler cannot tell.
bool FindPrinterOnPort(const InstallChoices& choices, SystemPrinter& found, bool& listed) {
    std::vector<SystemPrinter> printers;
    listed = ListSystemPrinters(printers);
    for (const SystemPrinter& printer : printers) {
        if (!IsPrinterOf(printer, choices)) continue;
        found = printer;
        return true;
    }
    return false;
}

// The settings in force on the port with the serial texts asked for taken over them; the port page's
// presets where the system keeps none. True when they differ from what is in force.
bool SerialSettingsAsked(const InstallRequest& request, InstallChoices& choices) {
    const char* portKey = SerialSettingsKey(choices.portName);
    SerialSettingsChoice current;
    if (portKey == nullptr ||
        !ReadSerialSettings(portKey, choices.targetSystem == Windows98Me, current.baudRate, current.dataBits,
                            current.stopBits, current.parity, current.flowControl)) {
        return portKey != nullptr;
    }
    SerialSettingsChoice asked = current;
    for (int index = 0; index < kSerialListCount; ++index) {
        SerialList list = static_cast<SerialList>(index);
        const char* offered = OfferedSerialText(list, request.serial[index].text.c_str());
        if (request.serial[index].Given() && offered != nullptr) TakeSerialText(list, offered, asked);
    }
    choices.baudRate = asked.baudRate;
    choices.dataBits = asked.dataBits;
    choices.stopBits = asked.stopBits;
    choices.parity = asked.parity;
    choices.flowControl = asked.flowControl;
    for (int index = 0; index < kSerialListCount; ++index) {
        SerialList list = static_cast<SerialList>(index);
        if (SerialTextOf(list, asked) != SerialTextOf(list, current)) return true;
    }
    return false;
}

PrinterResult KeepPrinter(const InstallRequest& request, InstallChoices& choices,
                          const SystemPrinter& printer) {
    PrinterResult result = {PrinterOutcome::Kept, kExitDone, false};
    SayResourceFormatted(IDS_DEPLOY_PRINTER_KEPT, printer.name.c_str(), printer.port.c_str(),
                         printer.driver.c_str());
    MessageText message = {};
    if (!InstallComponents(choices, message)) {
        Say(message);
        return {PrinterOutcome::Failed, kExitFailed, false};
    }
    bool updated = false;
    if (!UpdateEveryComponent(choices, updated)) return {PrinterOutcome::Failed, kExitFailed, false};
    if (updated) result = {PrinterOutcome::Updated, kExitDone, choices.targetSystem == Windows98Me};
    if (!UpdateDriverFromMedium(choices, updated)) return {PrinterOutcome::Failed, kExitFailed, false};
    if (updated) result = {PrinterOutcome::Updated, kExitDone, choices.targetSystem == Windows98Me};
    if (request.setDefault && DefaultPrinterIsAPersons(ResourceText(IDS_DEPLOY_DEFAULT_NOT_SET).c_str()) &&
        !printer.isDefault) {
        SayResourceText(IDS_DEPLOY_STEP_DEFAULT);
        MakeDefaultPrinter(printer.name.c_str());
        if (!IsDefaultPrinter(printer.name.c_str())) {
            SayResourceText(IDS_DEPLOY_DEFAULT_NOT_MADE);
            return {PrinterOutcome::Failed, kExitFailed, false};
        }
        result.outcome = PrinterOutcome::Updated;
    }
    if (choices.portKind == Serial && SerialSettingsAsked(request, choices)) {
        SayResourceText(IDS_DEPLOY_STEP_SERIAL);
        WriteChosenSerialSettings(choices);
        result.outcome = PrinterOutcome::Updated;
    }
    CopyText(choices.printerName, printer.name.c_str());
    return result;
}
}  // namespace

PrinterResult InstallOrKeep(const InstallRequest& request, int deviceId, bool again,
                            InstallChoices& choices) {
    SystemPrinter printer;
    bool listed = true;
    if (!again && FindPrinterOnPort(choices, printer, listed)) return KeepPrinter(request, choices, printer);
    if (!listed) return {PrinterOutcome::Failed, kExitFailed, false};
    int exitCode = InstallPrepared(request, deviceId, choices);
    if (exitCode == kExitDone)
        return {PrinterOutcome::Installed, kExitDone, choices.targetSystem == Windows98Me};
    return {exitCode == kExitRefused ? PrinterOutcome::Refused : PrinterOutcome::Failed, exitCode, false};
}
