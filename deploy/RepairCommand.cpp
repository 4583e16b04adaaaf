// QelvanDeploy repair: does the mends check's findings allow a program (the spooler started, a paused or
// offline printer let print, a file of the medium's monitors, processor or driver put back from the
// medium, with /jobs the jobs in error cancelled), one line each, then checks again. Only the medium's
// printers and what they use are touched; what a person must do stays in check's lines.
#include "deploy/Commands.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/PrinterHealth.h"

namespace {
// A spooler started shows the printers behind it: their mends come in the next round.
constexpr int kMendRounds = 3;
}  // namespace

int RunRepairCommand(const Switches& switches) {
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    const char* named = switches.Value("printer");
    for (int round = 0; round < kMendRounds; ++round) {
        HealthFindings findings;
        findings.mendJobs = switches.Has("jobs");
        int inspected = InspectTill(named, findings);
        if (inspected != kExitDone) return inspected;
        if (findings.Count() == 0) return kExitDone;
        bool mended = false;
        for (const Mend& mend : findings.Mends()) mended = mend() || mended;
        // Nothing a program may mend was mended: the lines above say what a person must do.
        if (!mended) return kExitFailed;
        SayResourceText(IDS_REPAIR_CHECK_AGAIN);
    }
    HealthFindings after;
    InspectTill(named, after);
    return after.Count() == 0 ? kExitDone : kExitFailed;
}
