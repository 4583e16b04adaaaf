#include "app/SetupApp.h"

#include "app/WizardDialog.h"
#include "app/WizardLog.h"
#include "common/TillLog.h"
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
    // The start comes first in the till's log, so that a refused start leaves its line under it.
    LogWizardStart();
    if (MayStart()) RunChecked();
    TillLogResource(IDS_LOG_WIZARD_ENDED);
    CloseTillLog();
    return FALSE;
}

void SetupApp::RunChecked() {
    // Before any page reads the medium: from a medium too deep in a folder tree every read would go
    // through a cut path and give its default.
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        TillLogResource(IDS_LOG_START_REFUSED, static_cast<const char*>(refusal));
        ShowWindowMessage(nullptr, refusal);
        return;
    }
    RunWizard();
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
            TillLogResource(IDS_LOG_ALREADY_RUNNING);
            HWND running = FindProductDialog(kWizardCaption);
            SetForegroundWindow(running);
            OpenIcon(running);
            return false;
        }
        case StartRefusal::DeployRuns:
            TillLogResource(IDS_LOG_START_REFUSED, ResourceText(IDS_DEPLOY_RUNNING).c_str());
            AfxMessageBox(IDS_DEPLOY_RUNNING);
            return false;
        case StartRefusal::WizardOpen:
        case StartRefusal::UninstallerOpen:
            TillLogResource(IDS_LOG_START_REFUSED, ResourceText(IDS_CLOSE_REMOVAL_WINDOW).c_str());
            ShowAppMessage(ResourceText(IDS_CLOSE_REMOVAL_WINDOW).c_str());
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
    wizard.AddPage(ResourceText(IDS_PAGE_LICENSE).c_str(), &licensePage, IDD_LICENSE_PAGE);
    wizard.AddPage(ResourceText(IDS_PAGE_PRINTER).c_str(), &printerPage, IDD_PRINTER_PAGE);
    wizard.AddPage(ResourceText(IDS_PAGE_MODE).c_str(), &modePage, IDD_MODE_PAGE);
    wizard.AddPage(ResourceText(IDS_PAGE_SYSTEM).c_str(), &systemPage, IDD_SYSTEM_PAGE);
    wizard.AddPage(ResourceText(IDS_PAGE_PORT).c_str(), &portPage, IDD_PORT_PAGE);
    wizard.DoModal();
    m_pMainWnd = nullptr;
}
