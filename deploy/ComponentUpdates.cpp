#include "deploy/ComponentUpdates.h"

#include <cstring>

#include "common/RegistryKey.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "engine/ComponentInstall.h"
#include "engine/ComponentKeys.h"

namespace {
// One update per component at most: the serial-port monitor, the USB-port monitor, the processor.
constexpr int kUpdateRounds = 3;

// The medium's components of this system, as the engine flags them.
struct Components {
    MonitorDescriptors monitors;
    const char* processor;
};

// As the engine judges it: installed (its key is there) with no recorded version or an older one.
int FlagWhenOutdated(const char* keyPath, int mediumVersion, int flag) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return 0;
    DWORD installed = 0;
    if (!key.QueryDword("DriverVersion", installed)) return flag;
    return static_cast<DWORD>(mediumVersion) > installed ? flag : 0;
}

// The installed components older than the medium's: the port monitors the engine installs on this
// system, whatever the port, and the model's print processor (never the system's own "WinPrint").
int OutdatedComponents(InstallChoices& choices, const Components& components) {
    int system = choices.targetSystem;
    char keyPath[kComponentKeyPathSize];
    int outdated = 0;
    const MONITOR_INFO_2A& com = components.monitors.comMonitor;
    if (InstallsComMonitor(system) && com.pName != nullptr && com.pName[0] != '\0') {
        MonitorKeyPath(com.pName, keyPath);
        outdated |= FlagWhenOutdated(keyPath, components.monitors.comMonitorVersion, ComMonitorOutdated);
    }
    const MONITOR_INFO_2A& usb = components.monitors.usbMonitor;
    if (InstallsUsbMonitor(system) && usb.pName != nullptr && usb.pName[0] != '\0') {
        MonitorKeyPath(usb.pName, keyPath);
        outdated |= FlagWhenOutdated(keyPath, components.monitors.usbMonitorVersion, UsbMonitorOutdated);
    }
    const char* processor = components.processor;
    if (processor != nullptr && processor[0] != '\0' && strcmp(processor, "WinPrint") != 0) {
        ProcessorKeyPath(system, processor, keyPath);
        outdated |= FlagWhenOutdated(keyPath, choices.config.GetProcessorVersion(), ProcessorOutdated);
    }
    return outdated;
}

// What became of the components: the line for a port monitor and the one for the print processor, each
// taking the component's name.
struct ComponentTexts {
    UINT monitor;
    UINT processor;
};
const ComponentTexts kUpdated = {IDS_COMPONENT_MONITOR_UPDATED, IDS_COMPONENT_PROCESSOR_UPDATED};
const ComponentTexts kStillOutdated = {IDS_COMPONENT_MONITOR_OUTDATED, IDS_COMPONENT_PROCESSOR_OUTDATED};

// One line per flagged component, in the engine's order.
void SayComponents(const ComponentTexts& texts, int flags, const Components& components) {
    if (flags & ComMonitorOutdated) SayResourceFormatted(texts.monitor, components.monitors.comMonitor.pName);
    if (flags & UsbMonitorOutdated) SayResourceFormatted(texts.monitor, components.monitors.usbMonitor.pName);
    if (flags & ProcessorOutdated) SayResourceFormatted(texts.processor, components.processor);
}
}  // namespace

bool UpdateEveryComponent(InstallChoices& choices, bool& updated) {
    Components components = {};
    choices.config.currentCategory = choices.category;
    choices.config.ReadMonitorInfo(choices.targetSystem, components.monitors);
    components.processor = choices.printerInfo.pPrintProcessor;
    // What the engine's step found outdated and is no longer: the one it replaced.
    int outdated = OutdatedComponents(choices, components);
    int replaced = choices.engineStatus & ~outdated;
    for (int round = 0; round < kUpdateRounds && outdated != 0; ++round) {
        SayComponents(kUpdated, replaced, components);
        updated = updated || replaced != 0;
        MessageText message = {};
        if (!UpdateOutdatedComponent(choices, outdated, choices.config.GetProcessorVersion(), message)) {
            Say(message);
            return false;
        }
        int left = OutdatedComponents(choices, components);
        replaced = outdated & ~left;
        outdated = left;
    }
    SayComponents(kUpdated, replaced, components);
    updated = updated || replaced != 0;
    if (outdated == 0) return true;
    SayComponents(kStillOutdated, outdated, components);
    return false;
}
