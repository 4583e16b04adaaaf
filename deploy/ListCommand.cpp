// QelvanDeploy list: the printers of this machine whose driver the medium names, the medium's registered
// drivers' files and the installed port monitors' and print processors' versions against the medium's.
#include <string>

#include "common/ResourceText.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/DriverComparison.h"
#include "deploy/ExitCodes.h"
#include "engine/ComponentKeys.h"
#include "removal/MediumNames.h"
#include "removal/RemovalTextIds.h"
#include "removal/SystemPrinters.h"

namespace {
// kind: the string table's name of the component's kind.
void SayComponent(UINT kind, const char* keyPath, const char* name, int mediumVersion) {
    std::string kindText = ResourceText(kind);
    unsigned long recorded = 0;
    if (!InstalledVersion(keyPath, recorded)) {
        SayResourceFormatted(IDS_DEPLOY_COMPONENT_MISSING, kindText.c_str(), name, mediumVersion);
        return;
    }
    // The installation records the medium's version as a DWORD: a medium's -1 comes back as 0xFFFFFFFF
    // and is read, shown and compared as the -1 it was.
    int installed = static_cast<int>(static_cast<DWORD>(recorded));
    UINT state = IDS_DEPLOY_COMPONENT_CURRENT;
    if (installed < mediumVersion) state = IDS_DEPLOY_COMPONENT_OLDER;
    if (installed > mediumVersion) state = IDS_DEPLOY_COMPONENT_NEWER;
    SayResourceFormatted(state, kindText.c_str(), name, installed, mediumVersion);
}

void SayMonitor(const MediumMonitor& monitor) {
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.name.c_str(), keyPath);
    SayComponent(IDS_REMOVAL_KIND_MONITOR, keyPath, monitor.name.c_str(), monitor.version);
}
}  // namespace

int RunListCommand(const Switches&) {
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return kExitFailed;
    SayResourceText(IDS_DEPLOY_LIST_HEADER);
    for (const SystemPrinter& printer : printers) {
        if (!ListedIn(names.drivers, printer.driver)) continue;
        SayFormatted("%s\t%s\t%s\t%s\t%s", printer.name.c_str(), printer.port.c_str(), printer.driver.c_str(),
                     printer.processor.c_str(), printer.isDefault ? "*" : "");
    }
    // The medium's registered drivers, each against the medium's files; drivers not registered are many
    // and say nothing.
    for (const std::string& driver : names.drivers) {
        DriverComparison comparison =
            CompareDriverWithMedium(driver, FilesOf(names.driverFiles, driver), system);
        if (comparison.state != DriverAgainstMedium::NotRegistered)
            SayResourceFormatted(IDS_DEPLOY_LIST_DRIVER, driver.c_str(),
                                 DescribeComparison(comparison).c_str());
    }
    for (const MediumMonitor& monitor : names.monitors) SayMonitor(monitor);
    for (const std::string& processor : names.processors) {
        char keyPath[kComponentKeyPathSize];
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        SayComponent(IDS_REMOVAL_KIND_PROCESSOR, keyPath, processor.c_str(), names.processorVersion);
    }
    return kExitDone;
}
