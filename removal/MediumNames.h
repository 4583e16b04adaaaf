#pragma once
// The names the medium gives its drivers, port monitors and print processors on the running system:
// what the removal programs may remove and what the deployment program's list reports.

#include <string>
#include <vector>

#include "common/SharedTypes.h"

// One of the medium's two port monitors and which printer ports need it.
struct MediumMonitor {
    std::string name;
    int version;
    bool (*needsIt)(const char* portName, int targetSystem);
};

struct MediumNames {
    std::vector<std::string> models;      // the catalogue's models the printer page lists
    std::vector<std::string> drivers;     // of every model, both driver families
    std::vector<std::string> processors;  // every model's print processor but the system's own
    std::vector<MediumMonitor> monitors;  // the monitors the engine installs on this system
    // The USB ports the port page offers the models (typical and advanced) and their aliases: the
    // only USB port records that are the medium's.
    std::vector<std::string> usbPorts;
    int processorVersion;
};
// Read through the configuration readers from the medium's directory (the program's, or the one
// UseMediumDirectory set). A monitor the engine never installs on system is left out.
MediumNames ReadMediumNames(TargetSystem system);

// True when names holds name (compared without regard to case, as the spooler compares).
bool Contains(const std::vector<std::string>& names, const std::string& name);

// The DriverVersion recorded under an installed component's key: false when the component's key is
// missing; version 0 when the key has no version.
bool InstalledVersion(const char* keyPath, unsigned long& version);
