#include "deploy/Registration.h"

#include <string>

#include "common/ResourceText.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "removal/PackageEntry.h"
#include "removal/ProgramEntry.h"

void RegisterWhatIsInstalled() {
    // Installed by the package (or beside it), the medium's drivers have the package's entry: an entry
    // an earlier installation made goes, its printers stay.
    if (PackageInstalled()) {
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
