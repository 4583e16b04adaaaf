// The printer's driver and print processor: registered, their files present, the driver as the medium's.
#include <windows.h>

#include <vector>

#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/DriverComparison.h"
#include "deploy/PrinterHealth.h"
#include "deploy/TillMends.h"
#include "engine/DriverFileCopy.h"
#include "engine/Registrations.h"
#include "engine/SpoolerFolders.h"

namespace {
// The first of the paths the comparison counts as older that is not there: a file that went missing,
// which the comparison would call outdated.
std::string FirstMissing(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (!PathExists(path)) return path;
    }
    return "";
}

// The first file the driver's registration names that is not there, Windows' own universal-driver
// files included (the comparison with the medium never weighs those); empty when all are there or the
// driver is not registered.
std::string FirstRegisteredFileMissing(const std::string& driver, TargetSystem system) {
    std::vector<Registration> drivers;
    DWORD error = 0;
    if (!RegisteredDrivers(system, drivers, error)) return "";
    for (const Registration& registered : drivers) {
        if (!SameText(registered.name, driver)) continue;
        for (const std::string& file : registered.files) {
            if (!IsPlainFile(file)) return file;
        }
    }
    return "";
}

void CheckDriver(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                 HealthFindings& findings) {
    const char* name = printer.name.c_str();
    const char* driver = printer.driver.c_str();
    std::string gone = FirstRegisteredFileMissing(printer.driver, system);
    if (!gone.empty()) {
        findings.Found(FormatResource(IDS_CHECK_DRIVER_FILE_MISSING, name, driver, gone.c_str()));
        findings.MendWith(MendFileFromMedium(gone, MediumCopyOf(gone, system)));
        return;
    }
    DriverComparison comparison =
        CompareDriverWithMedium(printer.driver, FilesOf(names.driverFiles, driver), system);
    std::string missing = FirstMissing(comparison.olderPaths);
    switch (comparison.state) {
        case DriverAgainstMedium::NotRegistered:
            findings.Found(FormatResource(IDS_CHECK_DRIVER_MISSING, name, driver));
            break;
        case DriverAgainstMedium::Older:
        case DriverAgainstMedium::Mixed:
            if (!missing.empty()) {
                findings.Found(FormatResource(IDS_CHECK_DRIVER_FILE_MISSING, name, driver, missing.c_str()));
                findings.MendWith(MendFileFromMedium(missing, MediumCopyOf(missing, system)));
            } else
                findings.Found(FormatResource(IDS_CHECK_DRIVER_DIFFERS, name, driver,
                                              DescribeComparison(comparison).c_str()));
            break;
        case DriverAgainstMedium::Unreadable:
            findings.Found(FormatResource(IDS_CHECK_DRIVER_NOT_COMPARED, name, driver,
                                          DescribeComparison(comparison).c_str()));
            break;
        case DriverAgainstMedium::NoMediumFiles:
            // The program folder's copy holds no driver files: nothing to compare with, no fault of the till.
            Say(FormatResource(IDS_CHECK_DRIVER_NOT_COMPARED, name, driver,
                               DescribeComparison(comparison).c_str())
                    .c_str());
            break;
        case DriverAgainstMedium::Same:
        case DriverAgainstMedium::Newer:
            break;
    }
}

// Only the medium's processor is looked at: the system's own is the system's.
void CheckProcessor(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                    HealthFindings& findings) {
    if (!ListedIn(names.processors, printer.processor)) return;
    const char* name = printer.name.c_str();
    const char* processor = printer.processor.c_str();
    std::vector<Registration> processors = RegisteredProcessors(system);
    for (const Registration& registered : processors) {
        if (!SameText(registered.name, processor)) continue;
        for (const std::string& file : registered.files) {
            std::string path = ProcessorFolderOf(system) + "\\" + FileNameOf(file);
            if (!IsPlainFile(path)) {
                findings.Found(FormatResource(IDS_CHECK_PROCESSOR_FILE_MISSING, name, processor, path.c_str(),
                                              MediumCopyOf(file, system).c_str()));
                findings.MendWith(MendFileFromMedium(path, MediumCopyOf(file, system)));
            }
        }
        return;
    }
    findings.Found(FormatResource(IDS_CHECK_PROCESSOR_MISSING, name, processor));
}
}  // namespace

std::string MediumCopyOf(const std::string& file, TargetSystem system) {
    char directory[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    std::string folder = length != 0 && length < sizeof directory ? directory : "";
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + SourceSubdirectory(system) + FileNameOf(file);
}

void CheckDriverAndProcessor(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                             HealthFindings& findings) {
    CheckDriver(printer, names, system, findings);
    CheckProcessor(printer, names, system, findings);
}
