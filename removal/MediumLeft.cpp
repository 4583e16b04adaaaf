#include "removal/MediumLeft.h"

#include <vector>

#include "engine/ComponentKeys.h"
#include "removal/ComponentFiles.h"
#include "removal/RemovalRules.h"
#include "removal/SystemPrinters.h"

namespace {
bool NoPrinterOrDriverLeft(const MediumNames& names, TargetSystem system) {
    std::vector<SystemPrinter> printers;
    DWORD error = 0;
    if (!ReadSystemPrinters(printers, error) || !MediumPrinters(printers, names).empty()) return false;
    std::vector<Registration> drivers;
    if (!RegisteredDrivers(system, drivers, error)) return false;
    for (const Registration& driver : drivers) {
        if (ListedIn(names.drivers, driver.name)) return false;
    }
    return true;
}
}  // namespace

bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system) {
    if (!NoPrinterOrDriverLeft(names, system)) return false;
    unsigned long version = 0;
    for (const MediumMonitor& monitor : names.monitors) {
        char keyPath[kComponentKeyPathSize];
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        if (InstalledVersion(keyPath, version)) return false;
    }
    for (const std::string& processor : names.processors) {
        char keyPath[kComponentKeyPathSize];
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        if (InstalledVersion(keyPath, version)) return false;
    }
    return true;
}
