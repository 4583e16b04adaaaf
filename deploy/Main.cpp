// QelvanDeploy: installs, lists and removes the medium's printers without a person at the screen, with
// the wizard's own rules and engine. Run from the medium (or with /medium:DIR); /? prints the usage.
#include <windows.h>

#include "common/ResourceText.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/SwitchTable.h"

namespace {
// Everything before the command's own work is checked here, in the order that changes nothing outside
// the program: the command line, the running system, then the medium.
int Run(const Switches& switches) {
    if (switches.Has("?")) {
        SayUsage();
        return kExitDone;
    }
    // The log is opened first, so that a refused run leaves its lines and exit code there too. A log
    // that cannot be opened ends the run before anything changes: a script that reads the log afterwards
    // would find nothing of a run that went on.
    const char* log = switches.Value("log");
    if (log != nullptr && log[0] != '\0' && !OpenDeployLog(log)) {
        // The error is taken before the table is read: loading a text may change it.
        DWORD error = GetLastError();
        SayWithError(FormatResource(IDS_DEPLOY_LOG_NOT_OPENED, log).c_str(), error);
        return kExitLogFailed;
    }
    const CommandRule* command = CheckCommandLine(switches);
    if (command == nullptr) return kExitRefused;
    RouteMessagesToOutput();
    if (!CheckRunningSystem()) return kExitRefused;
    if (!OpenMedium(switches.Value("medium"))) return kExitNoMedium;
    return command->run(switches);
}
}  // namespace

int main(int argc, char** argv) {
    Switches switches(argc, argv);
    int exitCode = Run(switches);
    SayResourceFormatted(IDS_DEPLOY_EXIT_CODE, exitCode);
    CloseDeployLog();
    return exitCode;
}
