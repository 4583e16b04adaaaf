#include "app/SetupApp.h"

#include "app/WizardDialog.h"
#include "common/SingleInstance.h"
#include "config/MediumPaths.h"
#include "framework/MessageBoxes.h"
#include "pages/LicensePage.h"
#include "pages/ModePage.h"
#include "pages/PortPage.h"
#include "pages/PrinterPage.h"
#include "pages/SystemPage.h"
#include "resources/ResourceIds.h"

BOOL SetupApp::InitInstance() {
    // The toolkit's control-container and 3-D drawing switches have no counterpart here: the
    // standard controls draw themselves in 3-D on every target system.
    if (!MayStart()) return FALSE;
    // Before any page reads the medium: from a medium too deep in a folder tree every read would go
    // through a cut path and give its default.
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        ShowWindowMessage(nullptr, refusal);
        return FALSE;
    }
    RunWizard();
    return FALSE;
}

int SetupApp::ExitInstance() {
    return CWinApp::ExitInstance();
}

bool SetupApp::MayStart() {
    // Kept and never closed: the name stays taken until the process ends.
    HANDLE mutex = nullptr;
    switch (CheckWizardStart(AppTitle(), mutex)) {
        case StartRefusal::None:
            return true;
        case StartRefusal::SameNameRuns: {
            HWND running = FindProductDialog(kWizardCaption);
            SetForegroundWindow(running);
            OpenIcon(running);
            return false;
        }
        case StartRefusal::DeployRuns:
            AfxMessageBox(IDS_DEPLOY_RUNNING);
            return false;
        case StartRefusal::WizardOpen:
        case StartRefusal::UninstallerOpen:
            ShowAppMessage(kCloseUninstallerText);
            return false;
    }
    return false;
}

void SetupApp::RunWizard() {
    WizardDialog wizard;
    m_pMainWnd = &wizard;
    LicensePage licensePage(IDD_LICENSE_PAGE);
    SystemPage systemPage(IDD_SYSTEM_PAGE);
    ModePage modePage(IDD_MODE_PAGE);
    PrinterPage printerPage(IDD_PRINTER_PAGE);
    PortPage portPage(IDD_PORT_PAGE);
    // The page order is the order the user walks through.
    wizard.AddPage("阅读版权声明", &licensePage, IDD_LICENSE_PAGE);
    wizard.AddPage("STEP 2\tSelect Install Module", &printerPage, IDD_PRINTER_PAGE);
    wizard.AddPage("选择安装模式", &modePage, IDD_MODE_PAGE);
    wizard.AddPage("STEP 1\tSelect Install OS", &systemPage, IDD_SYSTEM_PAGE);
    wizard.AddPage("STEP 3\tSet Printer Port and Confirm Setup", &portPage, IDD_PORT_PAGE);
    wizard.DoModal();
    m_pMainWnd = nullptr;
}
