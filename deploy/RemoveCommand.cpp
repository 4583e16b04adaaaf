// QelvanDeploy remove: deletes a printer whose driver the medium names and, when asked, its driver and
// the medium's port monitors, print processor and USB port record once nothing uses them, by the
// removal rules the removal window follows too. Each item is said removed, kept (with the reason) or
// failed (with the error number).
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "removal/FolderRemoval.h"
#include "removal/ProgramEntry.h"
#include "removal/RemovalRules.h"

namespace {
void SayItem(const RemovalItem& item) {
    Say(DescribeRemoval(item).c_str());
}

bool FindPrinter(const std::vector<SystemPrinter>& printers, const char* name, SystemPrinter& found) {
    for (const SystemPrinter& printer : printers) {
        if (lstrcmpiA(printer.name.c_str(), name) != 0) continue;
        found = printer;
        return true;
    }
    return false;
}

// remove /all: every printer of the medium, then what is left of the medium with no printer to reach it.
bool RemoveAll(RemovalScope scope, const MediumNames& names, TargetSystem system,
               const std::vector<SystemPrinter>& printers) {
    return RemovePrintersThenOrphans(MediumPrinters(printers, names), scope, names, system, SayItem);
}
}  // namespace

int RunRemoveCommand(const Switches& switches) {
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return kExitFailed;
    RemovalScope scope = {switches.Has("driver"), switches.Has("components")};
    bool removed = true;
    if (switches.Has("all")) {
        removed = RemoveAll(scope, names, system, printers);
    } else {
        const char* name = switches.Value("printer");
        SystemPrinter printer;
        // The state asked for holds already: a removal script may run twice.
        if (!FindPrinter(printers, name, printer)) {
            SayResourceFormatted(IDS_DEPLOY_NO_SUCH_PRINTER, name);
            return kExitDone;
        }
        if (!ListedIn(names.drivers, printer.driver)) {
            SayResourceFormatted(IDS_DEPLOY_DRIVER_NOT_OF_MEDIUM, printer.name.c_str(),
                                 printer.driver.c_str());
            return kExitRefused;
        }
        removed = RemovePrinterAndOrphans(printer, scope, names, system, SayItem);
    }
    // With nothing of the medium left, the entry in the list of installed programs goes too.
    OutsideProgramFolder outside;
    return RemoveEntryWhenNothingLeft(names, system, SayItem) && removed ? kExitDone : kExitFailed;
}
