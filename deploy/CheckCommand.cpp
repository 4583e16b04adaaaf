// QelvanDeploy check: why a till's printer of the medium does not print. Each of the medium's printers
// (or the one named) is examined from the spooler service down to its queue, its port and the device
// behind it, its driver and print processor; one line per finding with what to do, one line for a
// printer with nothing found. It changes nothing.
#include <vector>

#include "common/ResourceText.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/PrinterHealth.h"

namespace {
// The printers to examine: the one named (kExitRefused, said, for a name that is no printer of the
// medium) or every printer of the medium's drivers. kExitDone when the list stands.
int PrintersToCheck(const char* named, const MediumNames& names, std::vector<SystemPrinter>& chosen) {
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return kExitFailed;
    for (const SystemPrinter& printer : printers) {
        bool ofMedium = ListedIn(names.drivers, printer.driver);
        if (named == nullptr) {
            if (ofMedium) chosen.push_back(printer);
            continue;
        }
        if (lstrcmpiA(printer.name.c_str(), named) != 0) continue;
        if (ofMedium) {
            chosen.push_back(printer);
            return kExitDone;
        }
        SayResourceFormatted(IDS_CHECK_NOT_OF_MEDIUM, printer.name.c_str(), printer.driver.c_str());
        return kExitRefused;
    }
    if (named == nullptr) return kExitDone;
    SayResourceFormatted(IDS_CHECK_NO_PRINTER, named);
    return kExitRefused;
}

void CheckPrinter(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                  HealthFindings& findings) {
    unsigned before = findings.Count();
    CheckQueue(printer, findings);
    CheckPort(printer, names, system, findings);
    CheckDriverAndProcessor(printer, names, system, findings);
    if (findings.Count() == before)
        SayResourceFormatted(IDS_CHECK_HEALTHY, printer.name.c_str(), printer.port.c_str());
}
}  // namespace

int InspectTill(const char* named, HealthFindings& findings) {
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    int chosen = PrintersToCheck(named, names, printers);
    if (chosen != kExitDone) return chosen;
    // With the spooler not running nothing it would tell of the printers is true: one line for the till.
    if (!CheckSpoolerService(system, findings)) return kExitDone;
    if (printers.empty()) findings.Found(ResourceText(IDS_CHECK_NO_MEDIUM_PRINTERS));
    for (const SystemPrinter& printer : printers) CheckPrinter(printer, names, system, findings);
    return kExitDone;
}

int RunCheckCommand(const Switches& switches) {
    // An installation under way would show its half-done state as faults.
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    HealthFindings findings;
    int inspected = InspectTill(switches.Value("printer"), findings);
    if (inspected != kExitDone) return inspected;
    return findings.Count() == 0 ? kExitDone : kExitFailed;
}
