// QelvanDeploy rollback and commit: the Windows Installer's ends of a run it may take back. The package
// runs apply with /journal:DIR; when its installation fails afterwards, rollback undoes what that run
// did from the journal; when it succeeds, commit lets the journal go and hands the medium's printers
// to the package's entry, the one step apply left for the end under a journal.
#include "deploy/Commands.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/Registration.h"
#include "deploy/RunJournal.h"

int RunRollbackCommand(const Switches& switches) {
    std::string folder = switches.Value("journal");
    // Never refused for another program of the medium at work: a failed run left undone would leave the
    // till half changed.
    bool undone = UndoRun(folder);
    DiscardRunJournal(folder);
    return undone ? kExitDone : kExitFailed;
}

int RunCommitCommand(const Switches& switches) {
    std::string folder = switches.Value("journal");
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    // Only the run the journal speaks of is committed.
    if (!RunJournalThere(folder)) {
        SayResourceFormatted(IDS_ROLLBACK_NO_JOURNAL, folder.c_str());
        return kExitFailed;
    }
    RegisterWhatIsInstalled(true);
    DiscardRunJournal(folder);
    return kExitDone;
}
