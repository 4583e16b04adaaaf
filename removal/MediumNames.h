#pragma once
// The names the medium gives its drivers, port monitors and print processors on the running system:
// what the removal programs may remove and what the deployment program's list reports.

#include <string>
#include <vector>

#include "common/FileNames.h"
#include "common/SharedTypes.h"

// One of the medium's two port monitors and which printer ports need it.
struct MediumMonitor {
    std::string name;
    int version;
    bool (*needsIt)(const char* portName, int targetSystem);
    std::string dll;    // the file the engine copies into the system folder and registers
    std::string uiDll;  // the monitor's user-interface file beside it
};

// A driver or print processor of the medium and the bare names of the files the medium gives it on the
// running system: what the installation copies for it into the spooler's folders.
struct MediumFiles {
    std::string name;
    std::vector<std::string> files;
};

// A model of the catalogue and the names of its drivers on the running system, both families.
struct ModelDrivers {
    std::string model;
    std::vector<std::string> drivers;
};

struct MediumNames {
    std::vector<std::string> models;         // the catalogue's models the printer page lists
    std::vector<ModelDrivers> modelDrivers;  // each of them with its drivers
    std::vector<std::string> drivers;        // of every model, both driver families
    std::vector<std::string> processors;     // every model's print processor but the system's own
    std::vector<MediumMonitor> monitors;     // the monitors the engine installs on this system
    // The USB ports the port page offers the models (typical and advanced) and their aliases: the
    // only USB port records that are the medium's.
    std::vector<std::string> usbPorts;
    // Every port the port page offers the models (typical and advanced), USB aliases included: the ports
    // the medium's monitors serve for a printer of another maker.
    std::vector<std::string> offeredPorts;
    int processorVersion;
    std::vector<MediumFiles> driverFiles;     // of each driver in drivers
    std::vector<MediumFiles> processorFiles;  // of each processor in processors
};
// Read through the configuration readers from the medium's directory (the program's, or the one
// UseMediumDirectory set). A monitor the engine never installs on system is left out.
MediumNames ReadMediumNames(TargetSystem system);

// The files the medium gives the component named name; none when it names none.
std::vector<std::string> FilesOf(const std::vector<MediumFiles>& components, const std::string& name);

// The DriverVersion recorded under an installed component's key: false when the component's key is
// missing; version 0 when the key has no version.
bool InstalledVersion(const char* keyPath, unsigned long& version);
