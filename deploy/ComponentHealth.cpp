// The printer's driver and print processor: registered, their files present, the driver as the medium's.
#include <windows.h>

#include <vector>

#include "common/FileNames.h"
#include "common/WholeFile.h"
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

// The files the driver's registration names that are not there or hold nothing (a file cut to no
// bytes cannot be the driver's), Windows' own universal-driver files included (the comparison with the
// medium never weighs those); none when all are there or the driver is not registered.
std::vector<std::string> RegisteredFilesMissing(const std::string& driver, TargetSystem system) {
    std::vector<std::string> missing;
    std::vector<Registration> drivers;
    DWORD error = 0;
    if (!RegisteredDrivers(system, drivers, error)) return missing;
    for (const Registration& registered : drivers) {
        if (!SameText(registered.name, driver)) continue;
        for (const std::string& file : registered.files) {
            if (!IsPlainFile(file) || FileSizeOf(file) == 0) missing.push_back(file);
        }
    }
    return missing;
}

void CheckDriver(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                 HealthFindings& findings) {
    const char* name = printer.name.c_str();
    const char* driver = printer.driver.c_str();
    std::vector<std::string> gone = RegisteredFilesMissing(printer.driver, system);
    for (const std::string& file : gone) {
        findings.Found(FormatResource(IDS_CHECK_DRIVER_FILE_MISSING, name, driver, file.c_str()));
        findings.MendWith(MendFileFromMedium(file, MediumCopyOf(file, system), system));
    }
    if (!gone.empty()) return;
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
                findings.MendWith(MendFileFromMedium(missing, MediumCopyOf(missing, system), system));
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

// The medium's processor with its file; any other only as registered (the system's own is the system's,
// its file wherever the system keeps it).
void CheckProcessor(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                    HealthFindings& findings) {
    const char* name = printer.name.c_str();
    const char* processor = printer.processor.c_str();
    std::vector<Registration> processors = RegisteredProcessors(system);
    if (!ListedIn(names.processors, printer.processor)) {
        for (const Registration& registered : processors) {
            if (SameText(registered.name, processor)) return;
        }
        findings.Found(FormatResource(IDS_CHECK_PROCESSOR_MISSING, name, processor));
        return;
    }
    for (const Registration& registered : processors) {
        if (!SameText(registered.name, processor)) continue;
        for (const std::string& file : registered.files) {
            std::string path = ProcessorFolderOf(system) + "\\" + FileNameOf(file);
            if (!IsPlainFile(path)) {
                findings.Found(FormatResource(IDS_CHECK_PROCESSOR_FILE_MISSING, name, processor, path.c_str(),
                                              MediumCopyOf(file, system).c_str()));
                findings.MendWith(MendFileFromMedium(path, MediumCopyOf(file, system), system));
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
