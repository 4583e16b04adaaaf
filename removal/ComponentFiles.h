#pragma once
// The files of the medium's drivers, port monitors and print processor in the system's folders. The
// spooler's delete calls take registrations, not files, so removal deletes them: only the exact names
// the medium gives the component it removed, in the folders the installation put them in, only while no
// registration that stays names them, and never a file the installation found there before it put its
// own (SystemFileRecord.h) or one of Windows' shared driver files. A file in use goes at the next start.

#include <windows.h>

#include <string>
#include <vector>

#include "engine/Registrations.h"
#include "removal/RemovalRules.h"

// A removed component's file: its full path and whether it was there before the spooler's delete.
struct ComponentFile {
    std::string path;
    bool present;
};

// The paths of the medium's files of driver in the driver folder and the folder its registration's
// files are in (the version sub-folder), noted before the registration is deleted.
std::vector<ComponentFile> DriverFiles(const std::string& driver, const MediumNames& names,
                                       TargetSystem system);

// Deletes driver's registration (never its files: the spooler would take Windows' shared files too).
// False with error set when the registration stays.
bool DeleteDriverRegistration(const std::string& driver, TargetSystem system, DWORD& error);

// The files of removed drivers that are still there: each is deleted unless a driver registered now
// names a file of its name; one the spooler took already is reported removed. False when one failed.
bool RemoveDriverFiles(const std::vector<ComponentFile>& files, TargetSystem system,
                       const RemovalReport& report);

// The monitor's file (registered, the "n"-prefixed copy of an installation that found it in use),
// noted before its registration is deleted: the system folder's paths of the medium's names for it.
std::vector<ComponentFile> MonitorFiles(const MediumMonitor& monitor);

// The files of a removed monitor: each is deleted unless another registered monitor names it or a
// monitor of the medium that stays uses it. False when one failed.
bool RemoveMonitorFiles(const std::vector<ComponentFile>& files, const MediumNames& names,
                        const RemovalReport& report);

// The processor's files in the print-processor folder, noted before its registration is deleted.
std::vector<ComponentFile> ProcessorFiles(const std::string& processor, const MediumNames& names,
                                          TargetSystem system);

// The files of a removed processor: each is deleted unless another registered processor names it.
// False when one failed.
bool RemoveProcessorFiles(const std::vector<ComponentFile>& files, TargetSystem system,
                          const RemovalReport& report);
