#include "tests/ui/UiTestSupport.h"

HWND StartWizard(WizardDriver& driver, const std::string& workingDir) {
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", kTestWindowsVersion);
    if (!driver.Launch(WizardDriver::BuiltExe(), workingDir)) return nullptr;
    return driver.WaitForWindow(kWizardCaption);
}

bool CancelWizard(WizardDriver& driver, HWND wizard) {
    driver.Click(GetDlgItem(wizard, IDCANCEL));
    return driver.WaitForExit(15000);
}
