#include "deploy/SystemPrinters.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "common/RegistryKey.h"
#include "config/SetupConfig.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "engine/ComponentInstall.h"

namespace {
// The default printer's name: the profile's "windows" "device" entry up to its first comma, which every
// target system keeps.
std::string DefaultPrinterName() {
    char device[600] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    char* comma = strchr(device, ',');
    if (comma != nullptr) *comma = '\0';
    return device;
}

std::string TextOf(const char* text) {
    return text != nullptr ? text : "";
}

void AddName(std::vector<std::string>& names, const char* name) {
    if (name == nullptr || name[0] == '\0' || name[0] == '0' || Contains(names, name)) return;
    names.push_back(name);
}
}  // namespace

bool ReadSystemPrinters(std::vector<SystemPrinter>& printers) {
    printers.clear();
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed > 0 ? needed : 1);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        if (needed == 0) return true;  // no printer at all
        SayWithError("无法列出本机的打印机", GetLastError());
        return false;
    }
    std::string defaultName = DefaultPrinterName();
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        SystemPrinter printer = {TextOf(info[index].pPrinterName), TextOf(info[index].pPortName),
                                 TextOf(info[index].pDriverName), TextOf(info[index].pPrintProcessor), false};
        printer.isDefault = lstrcmpiA(printer.name.c_str(), defaultName.c_str()) == 0;
        printers.push_back(printer);
    }
    return true;
}

MediumNames ReadMediumNames(TargetSystem system) {
    MediumNames names = {};
    SetupConfig config;
    for (const CatalogueModel& model : ReadCatalogue()) {
        config.currentCategory = model.category;
        for (int gdiDriver = 0; gdiDriver <= 1; ++gdiDriver) {
            DRIVER_INFO_3A driver = {};
            config.ReadDriverInfo(model.name, system, driver, gdiDriver);
            AddName(names.drivers, driver.pName);
            PRINTER_INFO_2A printer = {};
            config.ReadPrinterInfo(model.name, system, printer, gdiDriver);
            if (printer.pPrintProcessor != nullptr && lstrcmpiA(printer.pPrintProcessor, "WinPrint") != 0)
                AddName(names.processors, printer.pPrintProcessor);
        }
    }
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(system, monitors);
    const char* comName = monitors.comMonitor.pName;
    const char* usbName = monitors.usbMonitor.pName;
    if (comName != nullptr && comName[0] != '\0' && comName[0] != '0')
        names.monitors.push_back({comName, monitors.comMonitorVersion, NeedsComMonitor});
    if (usbName != nullptr && usbName[0] != '\0' && usbName[0] != '0')
        names.monitors.push_back({usbName, monitors.usbMonitorVersion, NeedsUsbMonitor});
    names.processorVersion = config.GetProcessorVersion();
    return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& each : names) {
        if (lstrcmpiA(each.c_str(), name.c_str()) == 0) return true;
    }
    return false;
}

bool InstalledVersion(const char* keyPath, unsigned long& version) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return false;
    DWORD recorded = 0;
    version = key.QueryDword("DriverVersion", recorded) ? recorded : 0;
    return true;
}
