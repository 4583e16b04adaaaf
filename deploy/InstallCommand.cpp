// QelvanDeploy install: the wizard's Install command without its windows. The choices come from the
// switches through the pages' rules, then the command's own checks and the filling of the installation
// record. A printer of the model already on the port is kept (a second run changes nothing); otherwise,
// or with /again, the USB numbering and naming and the installation engine run, unchanged.
#include <memory>

#include "deploy/Commands.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/PendingRestart.h"
#include "deploy/PrinterInstall.h"
#include "deploy/Registration.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDevice.h"

int FinishRun(const Switches& switches, bool restartNeeded) {
    if (restartNeeded) {
        RememberRestart();
    } else if (RestartPending()) {
        SayResourceText(IDS_DEPLOY_RESTART_STILL_PENDING);
    } else {
        return kExitDone;
    }
    if (!switches.Has("restart")) {
        SayResourceText(IDS_DEPLOY_RESTART_NEEDED);
        return kExitRestartNeeded;
    }
    SayResourceText(IDS_DEPLOY_RESTARTING);
    if (ExitWindowsEx(EWX_REBOOT, 0)) return kExitRestartStarted;
    SayResourceText(IDS_RESTART_FAILED);
    return kExitRestartNeeded;
}

int RunInstallCommand(const Switches& switches) {
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;

    InstallRequest request = RequestFromSwitches(switches);
    // One query of the USB printer for the whole run: the port's offer and the numbering check see the
    // same answer, and a message of the query is said once.
    int deviceId = GetUsbDeviceId();
    // The record holds the configuration reader's buffers: too large for the stack of every system.
    std::unique_ptr<InstallChoices> choices(new InstallChoices);
    if (!PrepareInstall(request, deviceId, *choices)) return kExitRefused;
    SayResourceFormatted(IDS_DEPLOY_INSTALLING, choices->modelName, choices->portName);
    PrinterResult result = InstallOrKeep(request, deviceId, switches.Has("again"), *choices);
    // A kept printer gets no page: the same line in a log-on script would print one at every log-on.
    std::vector<std::string> installed;
    if (result.outcome == PrinterOutcome::Installed && result.exitCode == kExitDone)
        installed.push_back(choices->printerName);
    bool printed = PrintTestPagesAsked(switches, installed);
    RegisterWhatIsInstalled(result.exitCode == kExitDone && printed);
    if (result.exitCode != kExitDone) return result.exitCode;
    int finished = FinishRun(switches, result.restartNeeded);
    return printed ? finished : kExitFailed;
}
