#include "deploy/DeployChoice.h"

#include <string>

#include "choices/InstallRecords.h"
#include "choices/PortOffer.h"
#include "choices/SerialChoice.h"
#include "common/BoundedText.h"
#include "config/BaudRatePreset.h"
#include "config/ConfigValues.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/SwitchTable.h"
#include "usb/UsbDevice.h"

namespace {
bool ChooseModel(const Switches& switches, InstallChoices& choices) {
    CatalogueModel model;
    if (!FindModel(switches.Value("model"), model)) {
        SayFormatted("型号 %s 不在安装介质的打印机目录中。", switches.Value("model"));
        return false;
    }
    choices.category = model.category;
    CopyText(choices.modelName, model.name);
    choices.setAsDefault = switches.Has("default") ? 1 : 0;
    BuildCategoryIniPath(choices.category, modelIniPath);
    BuildPortSection(choices.modelName, portSection);
    return true;
}

bool ChooseMode(const Switches& switches, const InstallChoices& choices) {
    installMode = switches.Has("advanced") ? Advanced : Typical;
    if (installMode == Advanced && !AdvancedModeOffered(modelIniPath, portSection)) {
        SayFormatted("型号 %s 不提供高级安装模式（多个USB接口）。", choices.modelName);
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

void SayOfferedPorts(const PortOffer& offer) {
    std::string ports;
    for (int index = 0; index < offer.count; ++index) {
        if (!ports.empty()) ports += "、";
        ports += offer.entries[index];
    }
    SayFormatted("可用的端口：%s", ports.c_str());
}

// The port the port page would show: the one asked for, when the page would list it, otherwise the
// page's preselection.
bool ChoosePort(const Switches& switches, InstallChoices& choices) {
    PortOffer offer;
    BuildPortOffer(choices.modelName, choices.targetSystem, choices.category, installMode, GetUsbDeviceId(),
                   offer);
    const char* wanted = switches.Value("port");
    int chosen = offer.selected;
    if (wanted != nullptr) {
        chosen = -1;
        for (int index = 0; index < offer.count && chosen < 0; ++index) {
            if (lstrcmpiA(offer.entries[index], wanted) == 0) chosen = index;
        }
    }
    if (chosen < 0) {
        if (wanted != nullptr)
            SayFormatted("端口 %s 不在此型号在本系统上可用的端口中。", wanted);
        else
            Say("端口页不会预选任何端口，请用 /port 指定端口。");
        SayOfferedPorts(offer);
        return false;
    }
    CopyText(choices.portName, offer.entries[chosen]);
    choices.gdiDriver = GdiDriverForPort(choices.portName);
    return true;
}

// The serial settings the port page would preset, each overridden by its switch with a text its list
// shows. The serial lists are disabled for USB and parallel ports, so there no switch applies.
bool ChooseSerialSettings(const Switches& switches, InstallChoices& choices) {
    SerialSettingsChoice settings;
    settings.baudRate =
        OfferedBaudRate(BaudRatePresetIndex(ReadSectionValue(modelIniPath, portSection, "BaudRate")));
    bool serial = ReactionToPort(choices.portName) == PortReaction::SerialPort;
    for (const Switches::Switch& given : switches.All()) {
        SerialList list;
        if (!SerialListOfSwitch(given.name, list)) continue;
        if (!serial) {
            SayFormatted("端口 %s 不是串口，%s 不适用。", choices.portName, given.typed.c_str());
            return false;
        }
        const char* offered = OfferedSerialText(list, given.value.c_str());
        if (offered == nullptr) {
            SayFormatted("%s 不在端口页的列表中。可用的值：%s", given.typed.c_str(),
                         SerialListTexts(list, "、").c_str());
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

bool MakeChoices(const Switches& switches, InstallChoices& choices) {
    if (!ChooseModel(switches, choices) || !ChooseMode(switches, choices) || !ChooseSystem(choices)) {
        return false;
    }
    BuildConfigPaths(choices.category, choices.commonIniPath, choices.categoryIniPath);
    return ChoosePort(switches, choices) && ChooseSerialSettings(switches, choices);
}
