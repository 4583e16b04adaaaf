// The movement between the wizard's pages with Next and Back, and what is checked and prepared on the
// way: the chosen model's configuration limits the install mode, refuses unsupported systems and
// presets the baud rate; arrival at the port page gathers the choices and builds the port list.
#include "app/WizardDialog.h"
#include "app/WizardLog.h"
#include "choices/InstallRecords.h"
#include "common/BoundedText.h"
#include "config/BaudRatePreset.h"
#include "config/ConfigValues.h"
#include "framework/MessageBoxes.h"
#include "pages/ModePage.h"
#include "pages/PortPage.h"
#include "pages/PrinterPage.h"
#include "pages/SystemPage.h"
#include "resources/ControlIds.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"

void WizardDialog::SetActivePage(int index) {
    if (index < 0 || index >= PageCount()) return;
    // Before the current page is hidden, so the page area is never empty meanwhile; the checks below
    // read the page moved to (the printer page's models, the port page's baud rate).
    CreatePageWindowsUpTo(index);
    if (!LeaveCurrentPage()) return;
    // Back to the printer page: the next arrival at the port page presets the baud rate again.
    if (currentPage_ == kModePage && index < kModePage) reloadBaudRate = 1;
    if (currentPage_ == kLicensePage) {
        if (PrinterPage* printer = PageAt<PrinterPage>(index)) {
            ::EnableWindow(GetDlgItem(IDOK), printer->hasModels == 1);
        }
    }
    bool forward = index > currentPage_;
    if (forward && currentPage_ >= kPrinterPage && currentPage_ <= kSystemPage && !CheckLeavingForward()) {
        ShowPage(currentPage_);
        return;
    }
    ShowPage(index);
}

bool WizardDialog::CheckLeavingForward() {
    switch (currentPage_) {
        case kPrinterPage:
            LeavePrinterPage();
            return true;
        case kModePage:
            if (ModePage* mode = PageAt<ModePage>(kModePage)) LogModeChoice(mode->installMode);
            return true;
        case kSystemPage:
            return LeaveSystemPage();
        default:
            return true;
    }
}

void WizardDialog::LeavePrinterPage() {
    PrinterPage* printer = PageAt<PrinterPage>(kPrinterPage);
    if (printer == nullptr) return;
    LogPrinterChoice(printer->modelName, printer->setAsDefault != 0);
    choices.category = static_cast<PrinterCategory>(printer->category);
    BuildCategoryIniPath(printer->category, modelIniPath);
    BuildPortSection(printer->modelName, portSection);
    bool advanced = AdvancedModeOffered(modelIniPath, portSection);
    if (ModePage* mode = PageAt<ModePage>(kModePage)) mode->ApplyAdvancedSetup(advanced ? 1 : 0);
}

bool WizardDialog::LeaveSystemPage() {
    SystemPage* system = PageAt<SystemPage>(kSystemPage);
    if (system == nullptr) return true;
    UINT refusal = SystemRefusal(modelIniPath, portSection, system->targetSystem);
    if (reloadBaudRate) PresetBaudRate();
    LogSystemConfirmed(system->targetSystem);
    if (refusal == 0) return true;
    char text[200];
    LoadResourceText(refusal, text);
    LogMessageShown(text);
    ShowAppMessage(text);
    return false;
}

// The port page's baud rate follows the model's BaudRate. A missing key or a rate the list does not
// offer selects "38400", and the page's value is then the one the list shows, so the serial settings
// never receive a speed the user was not shown.
void WizardDialog::PresetBaudRate() {
    PortPage* port = PageAt<PortPage>(kPortPage);
    if (port == nullptr) return;
    int index = BaudRatePresetIndex(ReadSectionValue(modelIniPath, portSection, "BaudRate"));
    port->baudRate = OfferedBaudRate(index);
    port->SendDlgItemMessage(IDC_BAUD_RATE, CB_SETCURSEL, index);
    reloadBaudRate = 0;
}

void WizardDialog::OnOK() {
    choices.engineStatus = 0;
    if (currentPage_ >= PageCount() - 1) {
        Install();
        return;
    }
    SetActivePage(currentPage_ + 1);
    if (currentPage_ == PageCount() - 1) {
        PrepareLastPage();
        SetDlgItemText(IDOK, ResourceText(IDS_INSTALL_BUTTON).c_str());
    }
    ::EnableWindow(GetDlgItem(IDC_BACK), TRUE);
    GotoDlgCtrl(GetDlgItem(IDOK));
}

// Runs on every arrival at the port page; the list builds themselves skip the work when neither the
// model nor the mode changed.
void WizardDialog::PrepareLastPage() {
    PrinterPage* printer = PageAt<PrinterPage>(kPrinterPage);
    ModePage* mode = PageAt<ModePage>(kModePage);
    SystemPage* system = PageAt<SystemPage>(kSystemPage);
    PortPage* port = PageAt<PortPage>(kPortPage);
    if (printer == nullptr || mode == nullptr || system == nullptr || port == nullptr) return;
    choices.category = static_cast<PrinterCategory>(printer->category);
    CopyText(choices.modelName, printer->modelName);
    choices.setAsDefault = printer->setAsDefault;
    BuildConfigPaths(choices.category, choices.commonIniPath, choices.categoryIniPath);
    installMode = static_cast<InstallMode>(mode->installMode);
    choices.targetSystem = static_cast<TargetSystem>(system->targetSystem);
    port->listMode = installMode;
    if (installMode == Typical) {
        port->BuildTypicalPortList(choices.modelName, choices.targetSystem, choices.category);
    } else {
        port->BuildAdvancedPortList(choices.modelName, choices.targetSystem, choices.category);
    }
}

void WizardDialog::OnBack() {
    if (currentPage_ > 0) {
        SetDlgItemText(IDOK, ResourceText(IDS_NEXT_BUTTON).c_str());
        SetActivePage(currentPage_ - 1);
    }
    if (currentPage_ <= 0) {
        ::EnableWindow(GetDlgItem(IDC_BACK), FALSE);
        GotoDlgCtrl(GetDlgItem(IDOK));
    }
    ::EnableWindow(GetDlgItem(IDOK), TRUE);
}
