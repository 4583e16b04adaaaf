#pragma once
// What the deployment program's list and remove commands look at: the printers of this machine, and
// the names the medium gives its drivers, port monitors and print processors on the running system.

#include <string>
#include <vector>

#include "common/SharedTypes.h"

struct SystemPrinter {
    std::string name;
    std::string port;
    std::string driver;
    std::string processor;
    bool isDefault;
};

// The local printers, in the spooler's order. False with a line said when the spooler cannot list them.
bool ReadSystemPrinters(std::vector<SystemPrinter>& printers);

// One of the medium's two port monitors and which printer ports need it.
struct MediumMonitor {
    std::string name;
    int version;
    bool (*needsIt)(const char* portName, int targetSystem);
};

struct MediumNames {
    std::vector<std::string> drivers;     // of every model, both driver families
    std::vector<std::string> processors;  // every model's print processor but the system's own
    std::vector<MediumMonitor> monitors;  // the serial-port and USB-port monitors the medium names
    int processorVersion;
};
MediumNames ReadMediumNames(TargetSystem system);

// True when names holds name (compared without regard to case, as the spooler compares).
bool Contains(const std::vector<std::string>& names, const std::string& name);

// The DriverVersion recorded under an installed component's key: false when the component's key is
// missing; version 0 when the key has no version.
bool InstalledVersion(const char* keyPath, unsigned long& version);
