#include "tools/wizard_walker/DemoWalk.h"

#include "tests/e2e/InstallationCleanup.h"
#include "tests/e2e/PrefixState.h"
#include "tests/e2e/WizardWalk.h"
#include "tools/wizard_walker/WalkerOutput.h"

namespace {
int Fail(const std::string& error) {
    PrintLine("walker: " + error);
    return 1;
}

// The installation behind the port page: the progress window while it runs, then the result message.
int InstallAndReport(WizardWalk& walk) {
    PrintLine("walker: installing on port " + walk.SelectedPort());
    walk.PressInstallWithoutWaiting();
    if (walk.WaitForProgressWindow(10000) != nullptr) {
        Sleep(1500);  // the bar has climbed a little
        PauseForShot("6-progress");
    }
    ShownMessage result;
    if (walk.Driver().WaitForMessageBox(result, 60000) == nullptr) return Fail("no result message came");
    PauseForShot("7-result");
    PrintLine("result message: " + OneLine(result.text));
    std::vector<ShownMessage> later;
    // The result box is answered here too; any further question (a restart) is declined.
    if (!walk.AnswerUntilExit([](const ShownMessage&) { return IDNO; }, later, 30000))
        return Fail("the wizard did not end");
    return 0;
}
}  // namespace

int RunDemo(const char* windowsVersion) {
    // A printer left by an earlier demo would hold the USB port the demo uses.
    InstallationCleanup::RemoveInstallations();
    WizardWalk walk;
    std::string error = walk.Start(WizardDriver::BuiltExe(), windowsVersion);
    if (!error.empty()) return Fail(error);
    PrintLine(std::string("walker: the wizard sees ") + windowsVersion);

    PrinterChoice choice;  // the preselected model of the demo catalogue, made the default printer
    choice.setAsDefault = true;
    struct Step {
        const char* shot;
        WizardPage next;
    };
    const Step steps[] = {{"1-licence", WizardPage::Printer},
                          {"2-printer", WizardPage::Mode},
                          {"3-mode", WizardPage::System},
                          {"4-system", WizardPage::Port}};
    error = walk.AcceptLicence();
    for (const Step& step : steps) {
        if (!error.empty()) return Fail(error);
        if (step.next == WizardPage::Mode) error = walk.ChoosePrinter(choice);
        if (!error.empty()) return Fail(error);
        PauseForShot(step.shot);
        error = walk.Next(step.next);
    }
    if (!error.empty()) return Fail(error);
    PauseForShot("5-port");
    int result = InstallAndReport(walk);
    PrintInstalledPrinters();
    return result;
}
