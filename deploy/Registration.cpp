#include "deploy/Registration.h"

#include <string>

#include "common/RegistryKey.h"
#include "common/ResourceText.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "removal/PackageEntry.h"
#include "removal/ProgramEntry.h"

namespace {
bool ProgramEntryThere() {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, keyPath);
}
}  // namespace

void RegisterWhatIsInstalled(bool runSucceeded) {
    // Installed by the package (or beside it), the medium's drivers have the package's entry: an entry
    // an earlier installation made goes, its printers stay. Only after a run that succeeded: until then
    // the earlier entry is the one that still reaches every printer of the medium.
    if (PackageInstalled()) {
        if (!runSucceeded) {
            if (ProgramEntryThere()) SayResourceText(IDS_DEPLOY_ENTRY_KEPT_AFTER_FAILURE);
            return;
        }
        RemoveEntryAndFolderFiles([](const RemovalItem& item) { Say(DescribeRemoval(item).c_str()); });
        return;
    }
    TargetSystem system = RunningSystem();
    if (NothingOfMediumLeft(ReadMediumNames(system), system)) return;
    DWORD error = 0;
    std::string step;
    if (RegisterProgramEntry(system, error, step)) return;
    SayWithError(FormatResource(IDS_DEPLOY_NOT_REGISTERED, step.c_str()).c_str(), error);
}
