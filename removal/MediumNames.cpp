#include "removal/MediumNames.h"

#include <cstring>

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
    if (name == nullptr || name[0] == '\0' || name[0] == '0' || ListedIn(names, name)) return;
    names.push_back(name);
}

bool Named(const char* name) {
    return name != nullptr && name[0] != '\0' && name[0] != '0';
}

// Adds file to the list of the component named name, starting that list when it is the first.
void AddFile(std::vector<MediumFiles>& components, const char* name, const char* file) {
    if (!Named(name) || !Named(file)) return;
    for (MediumFiles& component : components) {
        if (lstrcmpiA(component.name.c_str(), name) != 0) continue;
        AddName(component.files, file);
        return;
    }
    components.push_back({name, {file}});
}

// The files a model's driver of one family is registered with, its optional files (copied beside them
// on every system) and its print processor's file.
void AddModelFiles(MediumNames& names, SetupConfig& config, const char* model, TargetSystem system,
                   int gdiDriver) {
    DRIVER_INFO_3A driver = {};
    config.ReadDriverInfo(model, system, driver, gdiDriver);
    const char* name = driver.pName;
    for (const char* file : {driver.pDriverPath, driver.pDataFile, driver.pConfigFile, driver.pHelpFile})
        AddFile(names.driverFiles, name, file);
    for (const char* file = driver.pDependentFiles; file != nullptr && *file != '\0';
         file += strlen(file) + 1)
        AddFile(names.driverFiles, name, file);
    DriverFileList files = {};
    config.ReadDriverFiles(model, system, files, gdiDriver);
    for (const char* file : {files.dataFileDll, files.dataOemuiDll, files.dataOemuniDll, files.dataOemuniIni})
        AddFile(names.driverFiles, name, file);
    PRINTER_INFO_2A printer = {};
    config.ReadPrinterInfo(model, system, printer, gdiDriver);
    if (printer.pPrintProcessor != nullptr && lstrcmpiA(printer.pPrintProcessor, "WinPrint") != 0)
        AddFile(names.processorFiles, printer.pPrintProcessor, files.processorDll);
}

// The advanced offer holds the typical one's USB port and more.
void AddOfferedPorts(MediumNames& names, const CatalogueModel& model, TargetSystem system) {
    PortOffer offer;
    BuildPortOffer(model.name, system, model.category, Advanced, NoUsbDevice, offer);
    for (int index = 0; index < offer.count; ++index) {
        const char* port = offer.entries[index];
        AddName(names.offeredPorts, port);
        if (ReactionToPort(port) != PortReaction::UsbPort) continue;
        AddName(names.usbPorts, port);
        char alias[kPortNameSize];
        if (!BuildUsbPortAlias(port, alias, sizeof alias)) continue;
        AddName(names.usbPorts, alias);
        AddName(names.offeredPorts, alias);
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
        AddOfferedPorts(names, catalogued, system);
        config.currentCategory = catalogued.category;
        names.modelDrivers.push_back({model, {}});
        for (int gdiDriver = 0; gdiDriver <= 1; ++gdiDriver) {
            DRIVER_INFO_3A driver = {};
            config.ReadDriverInfo(model, system, driver, gdiDriver);
            AddName(names.drivers, driver.pName);
            AddName(names.modelDrivers.back().drivers, driver.pName);
            PRINTER_INFO_2A printer = {};
            config.ReadPrinterInfo(model, system, printer, gdiDriver);
            if (printer.pPrintProcessor != nullptr && lstrcmpiA(printer.pPrintProcessor, "WinPrint") != 0)
                AddName(names.processors, printer.pPrintProcessor);
            AddModelFiles(names, config, model, system, gdiDriver);
        }
    }
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(system, monitors);
    // The engine's own rule on which monitors a system gets: the others were never ours to report.
    if (Named(monitors.comMonitor.pName) && InstallsComMonitor(system))
        names.monitors.push_back({monitors.comMonitor.pName, monitors.comMonitorVersion, NeedsComMonitor,
                                  monitors.comMonitor.pDLLName, monitors.comMonitorUiDll});
    if (Named(monitors.usbMonitor.pName) && InstallsUsbMonitor(system))
        names.monitors.push_back({monitors.usbMonitor.pName, monitors.usbMonitorVersion, NeedsUsbMonitor,
                                  monitors.usbMonitor.pDLLName, monitors.usbMonitorUiDll});
    names.processorVersion = config.GetProcessorVersion();
    return names;
}

std::vector<std::string> FilesOf(const std::vector<MediumFiles>& components, const std::string& name) {
    for (const MediumFiles& component : components) {
        if (lstrcmpiA(component.name.c_str(), name.c_str()) == 0) return component.files;
    }
    return {};
}

bool InstalledVersion(const char* keyPath, unsigned long& version) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return false;
    DWORD recorded = 0;
    version = key.QueryDword("DriverVersion", recorded) ? recorded : 0;
    return true;
}
