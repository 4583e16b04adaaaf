#include "engine/ComponentInstall.h"

#include <cctype>
#include <cstring>
#include <string>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "engine/SpoolerApi.h"
#include "engine/SpoolerOperations.h"
#include "engine/SpoolerService.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
// The spooler knows a port by its name in any case: a printer on "tvcom1:" is on the COM monitor's port.
bool PortNameHas(const char* portName, const char* part) {
    std::string upper = portName;
    for (char& each : upper) each = static_cast<char>(toupper(static_cast<unsigned char>(each)));
    return upper.find(part) != std::string::npos;
}

// An installed component is outdated when it has no recorded version or an older one.
bool IsOutdated(RegistryKey& key, int configuredVersion) {
    DWORD installed = 0;
    if (!key.QueryDword("DriverVersion", installed)) return true;
    return static_cast<DWORD>(configuredVersion) > installed;
}

void RecordVersion(const char* keyPath, int version) {
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) key.SetDword("DriverVersion", static_cast<DWORD>(version));
}

struct MonitorParts {
    MONITOR_INFO_2A& record;
    const char* uiDll;
    int version;
    int outdatedFlag;
    char (&prefixedDll)[kCopyPathSize];  // the prefixed file name, kept as long as the record
};

// Copies the monitor file; one in use is copied under a prefixed name, which the spooler then registers.
// False with the message set when the file is not in place.
bool PlaceMonitorFile(const MonitorParts& monitor, int targetSystem, MessageText& message) {
    const char* file = monitor.record.pDLLName;
    int copied = CopyDriverFile(file, SystemDirectory, targetSystem, false, message);
    if (!IsInUse(copied)) return FilePlaced(copied, file);
    if (!PlaceDriverFile(file, SystemDirectory, targetSystem, true, message)) return false;
    FormatText(monitor.prefixedDll, sizeof monitor.prefixedDll, "n%s", file);
    monitor.record.pDLLName = monitor.prefixedDll;
    return true;
}

// Checks one monitor: flags it when installed but outdated, installs it when missing. A file that
// cannot be placed fails the monitor before the spooler is asked.
int CheckMonitor(const MonitorParts& monitor, int targetSystem, MessageText& message) {
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.record.pName, keyPath);
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath))
        return IsOutdated(key, monitor.version) ? monitor.outdatedFlag : 0;

    if (!PlaceMonitorFile(monitor, targetSystem, message) ||
        !PlaceDriverFile(monitor.uiDll, SystemDirectory, targetSystem, false, message) ||
        !AddPortMonitor(monitor.record, message)) {
        return MonitorInstallFailed;
    }
    RecordVersion(keyPath, monitor.version);
    return 0;
}
}  // namespace

bool InstallsComMonitor(int targetSystem) {
    return targetSystem != Windows98Me;
}

bool InstallsUsbMonitor(int targetSystem) {
    return targetSystem != WindowsNT4;
}

bool NeedsComMonitor(const char* portName, int targetSystem) {
    return !PortNameHas(portName, "LPT") && PortNameHas(portName, "COM") && InstallsComMonitor(targetSystem);
}

bool NeedsUsbMonitor(const char* portName, int targetSystem) {
    return !PortNameHas(portName, "LPT") && PortNameHas(portName, "USB_") && InstallsUsbMonitor(targetSystem);
}

int InstallPortMonitors(InstallChoices& choices, int targetSystem, const char* portName,
                        MessageText& message) {
    if (strstr(portName, "LPT") != nullptr) return 0;
    choices.config.currentCategory = choices.category;
    MonitorDescriptors monitors = {};
    choices.config.ReadMonitorInfo(targetSystem, monitors);
    char comPrefixedDll[kCopyPathSize] = {};
    char usbPrefixedDll[kCopyPathSize] = {};
    int result = 0;
    if (NeedsComMonitor(portName, targetSystem) && monitors.comMonitor.pDLLName[0] != '\0') {
        MonitorParts com = {monitors.comMonitor, monitors.comMonitorUiDll, monitors.comMonitorVersion,
                            ComMonitorOutdated, comPrefixedDll};
        result = CheckMonitor(com, targetSystem, message);
        if (result == MonitorInstallFailed) return result;
    }
    if (NeedsUsbMonitor(portName, targetSystem) && monitors.usbMonitor.pDLLName[0] != '\0') {
        MonitorParts usb = {monitors.usbMonitor, monitors.usbMonitorUiDll, monitors.usbMonitorVersion,
                            UsbMonitorOutdated, usbPrefixedDll};
        // An outdated USB monitor replaces the serial monitor's flag; a current or fresh one keeps it.
        int usbResult = CheckMonitor(usb, targetSystem, message);
        if (usbResult != 0) result = usbResult;
    }
    return result;
}

int InstallPrintProcessor(int targetSystem, const char* processorName, const char* processorFile,
                          MessageText& message) {
    if (strcmp(processorName, "WinPrint") == 0) return 0;
    SetupConfig common;
    int version = common.GetProcessorVersion();
    char keyPath[kComponentKeyPathSize];
    ProcessorKeyPath(targetSystem, processorName, keyPath);
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) return IsOutdated(key, version) ? ProcessorOutdated : 0;

    if (!PlaceDriverFile(processorFile, ProcessorDirectory, targetSystem, false, message))
        return ProcessorInstallFailed;
    // The processor's key was missing, so even "already installed" means the spooler refused it.
    if (AddProcessor(processorName, processorFile, targetSystem) != 1) {
        LoadResourceText(IDS_ADD_PROCESSOR_FAILED, message);
        return ProcessorInstallFailed;
    }
    RecordVersion(keyPath, version);
    Sleep(200);
    return 0;
}
