#include "checker/ComponentCheck.h"

#include <cstring>

#include "checker/CheckerTextIds.h"
#include "checker/MediumFiles.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"

namespace {
// The keys of one monitor in a monitor section and what the reader made of them.
struct MonitorKeys {
    const char* prefix;  // "COMMONitor" or "USBMONitor"
    const char* name;
    const char* dll;
    const char* uiDll;
    int version;
};

struct SystemContext {
    int targetSystem;
    char section[30];
    Findings& findings;
};

void MonitorKey(const MonitorKeys& monitor, const char* suffix, char (&key)[64]) {
    FormatText(key, sizeof key, "%s%s", monitor.prefix, suffix);
}

// The engine copies a monitor's files from the system's sub-directory into the system directory.
void CheckMonitorFile(const SystemContext& context, const MonitorKeys& monitor, const char* suffix,
                      const char* value) {
    if (!NamesFile(value)) return;
    char key[64];
    MonitorKey(monitor, suffix, key);
    char text[400];
    UINT fault = FileNameFault(value);
    if (fault != 0) {
        FormatResourceText(text, fault, value);
        context.findings.Error(kCommonFileName, context.section, key, text);
        return;
    }
    if (SystemFileExists(context.targetSystem, value)) return;
    char directory[16];
    SystemDirectoryName(context.targetSystem, directory);
    FormatResourceText(text, IDS_CHECKER_SYSTEM_FILE_MISSING, directory, value);
    context.findings.Error(kCommonFileName, context.section, key, text);
}

void CheckMonitor(const SystemContext& context, const MonitorKeys& monitor) {
    char key[64];
    const char* required[][2] = {{"PName", monitor.name}, {"PDLLName", monitor.dll}};
    for (const auto& entry : required) {
        if (NamesFile(entry[1])) continue;
        MonitorKey(monitor, entry[0], key);
        context.findings.Error(
            kCommonFileName, context.section, key,
            entry[1][0] == '\0' ? IDS_CHECKER_VALUE_EMPTY : IDS_CHECKER_MONITOR_KEY_MISSING);
    }
    CheckMonitorFile(context, monitor, "PDLLName", monitor.dll);
    CheckMonitorFile(context, monitor, "PUIDLLName", monitor.uiDll);
    if (monitor.version == 0) {
        MonitorKey(monitor, "Version", key);
        context.findings.Warning(kCommonFileName, context.section, key, IDS_CHECKER_MONITOR_VERSION_ZERO);
    }
}

void CheckMonitors(SetupConfig& config, int targetSystem, bool com, bool usb, Findings& findings) {
    SystemContext context = {targetSystem, {}, findings};
    FormatText(context.section, sizeof context.section, "COMMON-MONITOR.%s", SystemSuffix(targetSystem));
    if (!SectionExists(kCommonFileName, context.section)) {
        findings.Error(kCommonFileName, context.section, nullptr, IDS_CHECKER_MONITOR_SECTION_MISSING);
        return;
    }
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(targetSystem, monitors);
    if (com) {
        CheckMonitor(context, {"COMMONitor", monitors.comMonitor.pName, monitors.comMonitor.pDLLName,
                               monitors.comMonitorUiDll, monitors.comMonitorVersion});
    }
    if (usb) {
        CheckMonitor(context, {"USBMONitor", monitors.usbMonitor.pName, monitors.usbMonitor.pDLLName,
                               monitors.usbMonitorUiDll, monitors.usbMonitorVersion});
    }
}

// Every Windows 98/Me installation copies the icon library (a failure replaces the success message)
// and falls back to the medium's universal driver when the system has none.
void CheckWindows98Files(Findings& findings) {
    if (!SystemFileExists(Windows98Me, "ICONLIB.DLL"))
        findings.Error("win98\\ICONLIB.DLL", nullptr, nullptr, IDS_CHECKER_ICON_LIBRARY_MISSING);
    if (!SystemFileExists(Windows98Me, "UNIDRV.DLL"))
        findings.Warning("win98\\UNIDRV.DLL", nullptr, nullptr, IDS_CHECKER_UNIVERSAL_DRIVER_MISSING);
}
}  // namespace

void CheckComponents(SetupConfig& config, const SystemNeeds& needs, Findings& findings) {
    for (int system = Windows98Me; system <= WindowsVista; ++system) {
        if (needs.comMonitor[system] || needs.usbMonitor[system])
            CheckMonitors(config, system, needs.comMonitor[system], needs.usbMonitor[system], findings);
    }
    if (needs.processor && config.GetProcessorVersion() == 0) {
        findings.Warning(kCommonFileName, "ProcessorVersion", "DriverVersion",
                         IDS_CHECKER_PROCESSOR_VERSION_ZERO);
    }
    if (needs.claimed[Windows98Me]) CheckWindows98Files(findings);
}
