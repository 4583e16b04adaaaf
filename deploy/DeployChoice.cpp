#include "deploy/DeployChoice.h"

#include <cstring>
#include <string>

#include "choices/InstallRecords.h"
#include "choices/PortOffer.h"
#include "choices/SerialChoice.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/BaudRatePreset.h"
#include "config/ConfigValues.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"

namespace {
bool ChooseModel(const InstallRequest& request, InstallChoices& choices) {
    CatalogueModel model;
    if (!FindModel(request.model.text.c_str(), model)) {
        SayResourceFormatted(IDS_DEPLOY_MODEL_NOT_IN_CATALOGUE, request.model.where.c_str(),
                             request.model.text.c_str());
        return false;
    }
    choices.category = model.category;
    CopyText(choices.modelName, model.name);
    choices.setAsDefault = request.setDefault ? 1 : 0;
    BuildCategoryIniPath(choices.category, modelIniPath);
    BuildPortSection(choices.modelName, portSection);
    return true;
}

bool ChooseMode(const InstallRequest& request, const InstallChoices& choices) {
    installMode = request.advanced ? Advanced : Typical;
    if (installMode == Advanced && !AdvancedModeOffered(modelIniPath, portSection)) {
        SayResourceFormatted(IDS_DEPLOY_NO_ADVANCED_MODE, choices.modelName);
        return false;
    }
    return true;
}

bool ChooseSystem(InstallChoices& choices) {
    choices.targetSystem = RunningSystem();
    UINT refusal = SystemRefusal(modelIniPath, portSection, choices.targetSystem);
    if (refusal != 0) SayResourceText(refusal);
    return refusal == 0;
}

bool OffersUsb(const PortOffer& offer) {
    for (int index = 0; index < offer.count; ++index) {
        if (ReactionToPort(offer.entries[index]) == PortReaction::UsbPort) return true;
    }
    return false;
}

void SayOfferedPorts(const PortOffer& offer) {
    std::string separator = ResourceText(IDS_DEPLOY_LIST_SEPARATOR);
    std::string ports;
    for (int index = 0; index < offer.count; ++index) {
        if (!ports.empty()) ports += separator;
        ports += offer.entries[index];
    }
    SayResourceFormatted(IDS_DEPLOY_OFFERED_PORTS, ports.c_str());
}

int FindOffered(const PortOffer& offer, const char* port) {
    for (int index = 0; index < offer.count; ++index) {
        if (lstrcmpiA(offer.entries[index], port) == 0) return index;
    }
    return -1;
}

// The same serial port as the other system family's port page names it: "TVCOMn:" on the NT family,
// "COMn:" on Windows 98/Me. Empty for any other port.
std::string SerialCounterpart(const char* port) {
    const char* number = nullptr;
    bool nt = false;
    if (_strnicmp(port, "TVCOM", 5) == 0) {
        number = port + 5;
        nt = true;
    } else if (_strnicmp(port, "COM", 3) == 0) {
        number = port + 3;
    }
    if (number == nullptr || number[0] < '1' || number[0] > '9') return "";
    size_t digits = strspn(number, "0123456789");
    if (strcmp(number + digits, ":") != 0) return "";
    return (nt ? "COM" : "TVCOM") + std::string(number);
}

// The port the port page would show: the one asked for, when the page would list it, otherwise the
// page's preselection.
bool ChoosePort(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    PortOffer offer;
    BuildPortOffer(choices.modelName, choices.targetSystem, choices.category, installMode, deviceId, offer);
    const char* wanted = request.port.Given() ? request.port.text.c_str() : nullptr;
    if (wanted == nullptr && OffersUsb(offer) && !offer.usbPrinterFound) {
        SayResourceFormatted(IDS_DEPLOY_NO_USB_PRINTER_FOR_OFFER, choices.modelName);
        SayResourceText(IDS_DEPLOY_CONNECT_OR_NAME_PORT);
        SayOfferedPorts(offer);
        return false;
    }
    int chosen = wanted != nullptr ? FindOffered(offer, wanted) : offer.selected;
    if (chosen < 0 && wanted != nullptr) {
        // One profile serves a mixed fleet: a serial port keeps its number on the other family.
        std::string counterpart = SerialCounterpart(wanted);
        chosen = counterpart.empty() ? -1 : FindOffered(offer, counterpart.c_str());
        if (chosen >= 0)
            SayResourceFormatted(IDS_DEPLOY_SERIAL_PORT_OF_SYSTEM, request.port.where.c_str(), wanted,
                                 offer.entries[chosen]);
    }
    if (chosen < 0) {
        if (wanted != nullptr)
            SayResourceFormatted(IDS_DEPLOY_PORT_NOT_OFFERED, request.port.where.c_str(), wanted);
        else
            SayResourceText(IDS_DEPLOY_NO_PRESELECTED_PORT);
        SayOfferedPorts(offer);
        return false;
    }
    CopyText(choices.portName, offer.entries[chosen]);
    choices.gdiDriver = GdiDriverForPort(choices.portName);
    return true;
}

// The serial settings the port page would preset, each overridden by its switch with a text its list
// shows. The serial lists are disabled for USB and parallel ports, so there no switch applies.
bool ChooseSerialSettings(const InstallRequest& request, InstallChoices& choices) {
    SerialSettingsChoice settings;
    settings.baudRate =
        OfferedBaudRate(BaudRatePresetIndex(ReadSectionValue(modelIniPath, portSection, "BaudRate")));
    bool serial = ReactionToPort(choices.portName) == PortReaction::SerialPort;
    for (int index = 0; index < kSerialListCount; ++index) {
        const RequestValue& given = request.serial[index];
        SerialList list = static_cast<SerialList>(index);
        if (!given.Given()) continue;
        if (!serial) {
            SayResourceFormatted(IDS_DEPLOY_NOT_A_SERIAL_PORT, choices.portName, given.where.c_str());
            return false;
        }
        const char* offered = OfferedSerialText(list, given.text.c_str());
        if (offered == nullptr) {
            std::string texts = SerialListTexts(list, ResourceText(IDS_DEPLOY_LIST_SEPARATOR).c_str());
            SayResourceFormatted(IDS_DEPLOY_SERIAL_TEXT_NOT_LISTED, given.where.c_str(), given.text.c_str(),
                                 texts.c_str());
            return false;
        }
        TakeSerialText(list, offered, settings);
    }
    choices.baudRate = settings.baudRate;
    choices.dataBits = settings.dataBits;
    choices.stopBits = settings.stopBits;
    choices.parity = settings.parity;
    choices.flowControl = settings.flowControl;
    return true;
}
}  // namespace

bool MakeChoices(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    if (!ChooseModel(request, choices) || !ChooseMode(request, choices) || !ChooseSystem(choices)) {
        return false;
    }
    BuildConfigPaths(choices.category, choices.commonIniPath, choices.categoryIniPath);
    return ChoosePort(request, deviceId, choices) && ChooseSerialSettings(request, choices);
}

bool CheckDriverRecords(const InstallChoices& choices) {
    const DriverFileList& files = choices.driverFiles;
    const struct {
        const char* key;
        const char* value;
    } required[] = {
        {"DriverName", choices.driverInfo.pName},
        {"DriverPath", files.driverPath},
        {"DataFile", files.dataFile},
        {"ConfigFile", files.configFile},
    };
    for (const auto& entry : required) {
        if (entry.value != nullptr && entry.value[0] != '\0' && entry.value[0] != '0') continue;
        char section[200];
        BuildDescriptorSection(choices.modelName, choices.targetSystem, section);
        // The key as the configuration file spells it: the family's prefix, then the record's name.
        SayResourceFormatted(IDS_DEPLOY_CONFIGURATION_INCOMPLETE, modelIniPath, section,
                             choices.gdiDriver != 0 ? "GDI" : "STD", entry.key);
        return false;
    }
    return true;
}
