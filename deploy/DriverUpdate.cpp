#include "deploy/DriverUpdate.h"

#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/DriverComparison.h"
#include "engine/InstallationSequence.h"

namespace {
// The bare names the configuration gives the driver's files: the four it registers and its plug-ins.
std::vector<std::string> NamedFiles(const DriverFileList& files) {
    std::vector<std::string> named;
    for (const char* name :
         {files.driverPath, files.dataFile, files.configFile, files.helpFile, files.dataFileDll,
          files.dataOemuiDll, files.dataOemuniDll, files.dataOemuniIni}) {
        if (name[0] != '\0' && name[0] != '0') named.push_back(name);
    }
    return named;
}
}  // namespace

bool UpdateDriverFromMedium(InstallChoices& choices, bool& updated) {
    updated = false;
    const char* driver = choices.driverInfo.pName;
    std::vector<std::string> named = NamedFiles(choices.driverFiles);
    DriverComparison before = CompareDriverWithMedium(driver, named, choices.targetSystem);
    switch (before.state) {
        case DriverAgainstMedium::Older:
            break;
        case DriverAgainstMedium::Unreadable:
            // The driver may be older than the medium's: a till that cannot be told up to date fails,
            // the line naming the file and the platform's error.
            SayResourceFormatted(IDS_DRIVER_NOT_COMPARED, driver, DescribeComparison(before).c_str());
            return false;
        case DriverAgainstMedium::Mixed:
            SayResourceFormatted(IDS_DRIVER_MIXED, driver, DescribeComparison(before).c_str());
            return false;
        default:
            return true;
    }
    std::string shared;
    std::string other = OtherDriverSharing(driver, before.olderPaths, choices.targetSystem, shared);
    if (!other.empty()) {
        SayResourceFormatted(IDS_DRIVER_SHARED, driver, shared.c_str(), other.c_str());
        return false;
    }
    MessageText message = {};
    if (!InstallDriver(choices, true, message)) {
        Say(message);
        SayResourceFormatted(IDS_DRIVER_UPDATE_FAILED, driver, DescribeComparison(before).c_str());
        return false;
    }
    // Only files that now match the medium's make the update done: one left older (a file the spooler
    // could not replace) or that cannot be read again is the till still not up to date.
    DriverComparison after = CompareDriverWithMedium(driver, named, choices.targetSystem);
    if (after.state != DriverAgainstMedium::Same) {
        bool older = after.state == DriverAgainstMedium::Older || after.state == DriverAgainstMedium::Mixed;
        SayResourceFormatted(older ? IDS_DRIVER_STILL_OLDER : IDS_DRIVER_UPDATE_FAILED, driver,
                             DescribeComparison(after).c_str());
        return false;
    }
    SayResourceFormatted(IDS_DRIVER_UPDATED, driver, DescribeComparison(before).c_str());
    updated = true;
    return true;
}
