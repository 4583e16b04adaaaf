#include "removal/InstalledFilesAtRestart.h"

#include <windows.h>

#include "common/FileNames.h"
#include "engine/ComponentKeys.h"
#include "removal/ComponentFiles.h"
#include "removal/RestartDeletion.h"

void KeepInstalledFilesAtRestart(const MediumNames& names, TargetSystem system) {
    std::vector<ComponentFile> files;
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& driver : drivers) {
        if (!ListedIn(names.drivers, driver.name)) continue;
        for (const ComponentFile& file : DriverFiles(driver.name, names, system)) files.push_back(file);
    }
    unsigned long version = 0;
    char keyPath[kComponentKeyPathSize];
    for (const MediumMonitor& monitor : names.monitors) {
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        if (!InstalledVersion(keyPath, version)) continue;
        for (const ComponentFile& file : MonitorFiles(monitor)) files.push_back(file);
    }
    for (const std::string& processor : names.processors) {
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        if (!InstalledVersion(keyPath, version)) continue;
        for (const ComponentFile& file : ProcessorFiles(processor, names, system)) files.push_back(file);
    }
    for (const ComponentFile& file : files) {
        if (IsPlainFile(file.path)) CancelDeletionAtRestart(file.path.c_str());
    }
}
