#include "removal/MediumNames.h"

#include <windows.h>
#include <winspool.h>

#include "choices/InstallRules.h"
#include "choices/PortOffer.h"
#include "common/RegistryKey.h"
#include "config/CatalogueModels.h"
#include "config/SetupConfig.h"
#include "engine/ComponentInstall.h"
#include "usb/UsbDevice.h"

namespace {
void AddName(std::vector<std::string>& names, const char* name) {
    if (name == nullptr || name[0] == '\0' || name[0] == '0' || Contains(names, name)) return;
    names.push_back(name);
}

bool Named(const char* name) {
    return name != nullptr && name[0] != '\0' && name[0] != '0';
}

// The advanced offer holds the typical one's USB port and more.
void AddUsbPorts(std::vector<std::string>& ports, const CatalogueModel& model, TargetSystem system) {
    PortOffer offer;
    BuildPortOffer(model.name, system, model.category, Advanced, NoUsbDevice, offer);
    for (int index = 0; index < offer.count; ++index) {
        const char* port = offer.entries[index];
        if (ReactionToPort(port) != PortReaction::UsbPort) continue;
        AddName(ports, port);
        char alias[kPortNameSize];
        if (BuildUsbPortAlias(port, alias, sizeof alias)) AddName(ports, alias);
    }
}
}  // namespace

MediumNames ReadMediumNames(TargetSystem system) {
    MediumNames names = {};
    SetupConfig config;
    // The models the printer page lists, and only those.
    for (const CatalogueModel& catalogued : ReadCatalogue()) {
        const char* model = catalogued.name;
        names.models.push_back(model);
        AddUsbPorts(names.usbPorts, catalogued, system);
        config.currentCategory = catalogued.category;
        for (int gdiDriver = 0; gdiDriver <= 1; ++gdiDriver) {
            DRIVER_INFO_3A driver = {};
            config.ReadDriverInfo(model, system, driver, gdiDriver);
            AddName(names.drivers, driver.pName);
            PRINTER_INFO_2A printer = {};
            config.ReadPrinterInfo(model, system, printer, gdiDriver);
            if (printer.pPrintProcessor != nullptr && lstrcmpiA(printer.pPrintProcessor, "WinPrint") != 0)
                AddName(names.processors, printer.pPrintProcessor);
        }
    }
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(system, monitors);
    // The engine's own rule on which monitors a system gets: the others were never ours to report.
    if (Named(monitors.comMonitor.pName) && InstallsComMonitor(system))
        names.monitors.push_back({monitors.comMonitor.pName, monitors.comMonitorVersion, NeedsComMonitor});
    if (Named(monitors.usbMonitor.pName) && InstallsUsbMonitor(system))
        names.monitors.push_back({monitors.usbMonitor.pName, monitors.usbMonitorVersion, NeedsUsbMonitor});
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
