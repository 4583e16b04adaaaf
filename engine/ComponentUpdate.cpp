// Replacement of an outdated port monitor or print processor, the one component an installation run
// updates: the first flagged, in the order serial monitor, USB monitor, processor.
#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "engine/ComponentInstall.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "engine/SpoolerApi.h"
#include "engine/SpoolerService.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
// What became of the file replaced with the spooler stopped.
enum class Replacement { Done, InUse, Failed };

// A CopyDriverFile result for file: in use (32 or 5), failed with its text in the message, or copied.
Replacement CopyOutcome(int copyResult, const char* file) {
    if (IsInUse(copyResult)) return Replacement::InUse;
    return FilePlaced(copyResult, file) ? Replacement::Done : Replacement::Failed;
}

// Copies the processor file over the installed one while the spooler is stopped.
Replacement ReplaceProcessorFile(const char* processorDirectory, int targetSystem, const char* file,
                                 MessageText& message) {
    char current[kCopyPathSize] = {};
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current) {
        LoadResourceText(IDS_NO_CURRENT_DIRECTORY, message);
        return Replacement::Failed;
    }
    char source[kCopyPathSize];
    char target[kCopyPathSize];
    bool fits =
        FormatText(source, sizeof source, "%s%s%s", current, SourceSubdirectory(targetSystem), file) &&
        FormatText(target, sizeof target, "%s\\%s", processorDirectory, file);
    DWORD error = fits ? 0 : ERROR_FILENAME_EXCED_RANGE;
    if (fits && IsBareFileName(file)) {
        if (CopyFileA(source, target, FALSE)) return Replacement::Done;
        error = GetLastError();
        if (IsInUse(static_cast<int>(error))) return Replacement::InUse;
    }
    ReportCopyError(message, file, error, source);
    return Replacement::Failed;
}

// The replacement itself, with the spooler stopped. The component's version is recorded only when its
// file was replaced.
Replacement ReplaceStoppedComponent(InstallChoices& choices, int engineStatus, int processorVersion,
                                    const char* processorDirectory, MessageText& message) {
    int system = choices.targetSystem;
    MonitorDescriptors monitors = {};
    choices.config.ReadMonitorInfo(system, monitors);
    char keyPath[kComponentKeyPathSize];
    RegistryKey key;
    Replacement replaced = Replacement::Done;
    if (engineStatus & ComMonitorOutdated) {
        const char* file = monitors.comMonitor.pDLLName;
        replaced = CopyOutcome(CopyDriverFile(file, SystemDirectory, system, false, message), file);
        if (replaced != Replacement::Done) return replaced;
        MonitorKeyPath(monitors.comMonitor.pName, keyPath);
        if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) key.SetDword("DriverVersion", monitors.comMonitorVersion);
    } else if (engineStatus & UsbMonitorOutdated) {
        const char* file = monitors.usbMonitor.pDLLName;
        replaced = CopyOutcome(CopyDriverFile(file, SystemDirectory, system, false, message), file);
        if (replaced != Replacement::Done) return replaced;
        MonitorKeyPath(monitors.usbMonitor.pName, keyPath);
        if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) {
            key.SetString("Driver", monitors.usbMonitor.pDLLName);
            key.SetDword("DriverVersion", monitors.usbMonitorVersion);
        }
    } else if (engineStatus & ProcessorOutdated) {
        replaced =
            ReplaceProcessorFile(processorDirectory, system, choices.driverFiles.processorDll, message);
        if (replaced != Replacement::Done) return replaced;
        ProcessorKeyPath(system, choices.printerInfo.pPrintProcessor, keyPath);
        if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) key.SetDword("DriverVersion", processorVersion);
    }
    key.Close();
    return Replacement::Done;
}

DWORD RestartWait(int targetSystem) {
    switch (targetSystem) {
        case WindowsNT4:
        case Windows2000:
            return 1000;
        case WindowsXP:
        case WindowsServer2003:
            return 2500;
        default:
            return 0;
    }
}

bool UpdateOnNtFamily(InstallChoices& choices, int engineStatus, int processorVersion, MessageText& message) {
    char processorDirectory[kCopyPathSize] = {};
    if (engineStatus & ProcessorOutdated) {
        DWORD needed = 0;
        if (!Spooler().getPrintProcessorDirectory(nullptr, nullptr, 1,
                                                  reinterpret_cast<BYTE*>(processorDirectory),
                                                  sizeof processorDirectory - 1, &needed)) {
            LoadResourceText(IDS_NO_PROCESSOR_DIRECTORY, message);
            return false;
        }
    }
    StopSpooler();
    Sleep(500);
    WaitSpoolerStopped();
    Replacement replaced =
        ReplaceStoppedComponent(choices, engineStatus, processorVersion, processorDirectory, message);
    if (replaced == Replacement::InUse) {
        // The spooler still holds the file: nothing was replaced and the old version stays recorded, so
        // the next run tries again; meanwhile the spooler goes on with the old component.
        MessageText ignored = {};
        StartSpooler(ignored);
        LoadResourceText(IDS_SYSTEM_ERROR_RESTART, message);
        return false;
    }
    // Any other failed replacement leaves the spooler stopped and ends the installation with its text.
    if (replaced == Replacement::Failed) return false;
    StartSpooler(message);
    Sleep(RestartWait(choices.targetSystem));
    StartSpooler(message);
    Sleep(1000);
    if (!WaitSpoolerRunning(message)) {
        StartSpooler(message);
        return false;
    }
    return true;
}

// Windows 98/Me loads a replaced file at the next system start: a file in use is copied under the
// prefixed name, and the component's "Driver" value names the file to load.
bool UpdateOn9x(const char* keyPath, const char* file, int target, int version, MessageText& message) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) {
        RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, keyPath);
        key.Open(HKEY_LOCAL_MACHINE, keyPath);
    }
    char recorded[kCopyPathSize];
    CopyText(recorded, file);
    int copied = CopyDriverFile(file, target, Windows98Me, false, message);
    if (IsInUse(copied)) {
        copied = CopyDriverFile(file, target, Windows98Me, true, message);
        if (IsInUse(copied)) {
            LoadResourceText(IDS_SYSTEM_ERROR_RESTART, message);
            return false;
        }
        FormatText(recorded, sizeof recorded, "n%s", file);
    }
    if (!FilePlaced(copied, file)) return false;
    key.SetString("Driver", recorded);
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
    return true;
}
}  // namespace

bool UpdateOutdatedComponent(InstallChoices& choices, int engineStatus, int processorVersion,
                             MessageText& message) {
    if (choices.targetSystem != Windows98Me) {
        return UpdateOnNtFamily(choices, engineStatus, processorVersion, message);
    }
    char keyPath[kComponentKeyPathSize];
    if (engineStatus & UsbMonitorOutdated) {
        MonitorDescriptors monitors = {};
        choices.config.ReadMonitorInfo(Windows98Me, monitors);
        MonitorKeyPath(monitors.usbMonitor.pName, keyPath);
        return UpdateOn9x(keyPath, monitors.usbMonitor.pDLLName, SystemDirectory, monitors.usbMonitorVersion,
                          message);
    }
    if (engineStatus & ProcessorOutdated) {
        ProcessorKeyPath(Windows98Me, choices.printerInfo.pPrintProcessor, keyPath);
        return UpdateOn9x(keyPath, choices.driverFiles.processorDll, ProcessorDirectory, processorVersion,
                          message);
    }
    return true;
}
