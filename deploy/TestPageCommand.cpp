// QelvanDeploy testpage: one test page on one printer of the medium, as a proof that the chain the
// installation built (driver, print processor, port and its monitor) takes a job.
#include "deploy/Commands.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/TestPage.h"

int RunTestPageCommand(const Switches& switches) {
    // The wizard or another run may be changing this very printer.
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    return PrintTestPageOn(switches.Value("printer"));
}

bool PrintTestPagesAsked(const Switches& switches, const std::vector<std::string>& installed) {
    if (!switches.Has("testpage")) return true;
    bool allPrinted = true;
    for (const std::string& printer : installed)
        allPrinted = PrintTestPageOn(printer.c_str()) == kExitDone && allPrinted;
    return allPrinted;
}
