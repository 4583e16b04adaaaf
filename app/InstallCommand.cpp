// The Install command: on the port page the Next button validates the choice, fills the driver and
// printer records from the configuration, applies the USB numbering and naming rules, runs the
// installation engine on a worker thread behind the progress window, reports the result and ends the
// wizard. A refused step (a stop) shows one message and leaves the wizard on the port page with every
// choice kept.
#include "choices/InstallRecords.h"
#include "choices/InstallRules.h"
#include "app/WizardDialog.h"
#include "app/WizardLog.h"
#include "common/BoundedText.h"
#include "common/TillLog.h"
#include "config/ConfigValues.h"
#include "engine/InstallationSequence.h"
#include "framework/MessageBoxes.h"
#include "framework/Thread.h"
#include "removal/ProgramEntry.h"
#include "pages/PortPage.h"
#include "pages/ProgressWindow.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDevice.h"

namespace {
// Every message of the Install command is a line of the till's log too.
void ShowText(HWND owner, UINT id) {
    char text[300];
    LoadResourceText(id, text);
    LogMessageShown(text);
    ShowWindowMessage(owner, text);
}

int AskText(UINT id) {
    char text[300];
    LoadResourceText(id, text);
    LogMessageShown(text);
    return ShowAppMessage(text, MB_YESNO);
}
}  // namespace

void WizardDialog::Install() {
    for (int i = 0; i < PageCount(); ++i) GetPage(i)->UpdateData(TRUE);
    if (!CollectAndValidate()) return;
    LogPortChoice(choices);
    FillInstallRecords(choices);
    if (!ApplyUsbRules()) return;
    if (choices.targetSystem == WindowsNT4 && choices.portKind == Usb) {
        ShowText(m_hWnd, IDS_NT4_NO_USB);
        return;
    }
    // The entry in the list of installed programs comes after the engine's success, before the result
    // message; a failure to register leaves a working installation a success, and is not shown.
    if (RunEngine()) {
        DWORD error = 0;
        std::string step;
        RegisterProgramEntry(choices.targetSystem, error, step);
    }
    ReportResult();
    DestroyPages();
    CDialog::OnOK();
}

// Takes the port page's settings and refuses a choice that cannot be installed.
bool WizardDialog::CollectAndValidate() {
    choices.config.currentCategory = choices.category;
    choices.usbPortAlias[0] = '\0';
    PortPage* port = PageAt<PortPage>(kPortPage);
    if (port == nullptr) return false;
    CopyText(choices.portName, port->portName);
    choices.gdiDriver = port->gdiDriver;
    choices.baudRate = port->baudRate;
    choices.dataBits = port->dataBits;
    choices.stopBits = port->stopBits;
    choices.parity = port->parity;
    choices.flowControl = port->flowControl;

    if (choices.modelName[0] == '\0') {
        ShowText(m_hWnd, IDS_SELECT_PRINTER_FIRST);
        return false;
    }
    char section[200];
    BuildPortSection(choices.modelName, section);
    if (choices.targetSystem == WindowsServer2003 &&
        SystemRefusal(choices.categoryIniPath, section, choices.targetSystem) != 0) {
        char text[200];
        LoadResourceText(IDS_NO_SERVER_2003, text);
        LogMessageShown(text);
        ShowAppMessage(text);
        return false;
    }
    int portKind = DerivePortKind(choices.portName);
    if (portKind < 0) {
        ShowText(m_hWnd, IDS_PORT_NOT_SUPPORTED);
        return false;
    }
    choices.portKind = static_cast<PortKind>(portKind);
    return true;
}

// For a USB port the connected printer must carry the port's number first (it may be renumbered);
// then the printer name gets its port suffix and a USB port its alias and registry record.
bool WizardDialog::ApplyUsbRules() {
    if (choices.portKind == Usb && !CheckUsbPrinter()) return false;
    ApplyPortNaming(choices);
    return true;
}

bool WizardDialog::CheckUsbPrinter() {
    UsbCheckResult check = CheckUsbNumbering(installMode, GetUsbDeviceId(), choices.portName);
    switch (check.action) {
        case UsbCheck::Proceed:
            return true;
        case UsbCheck::NeedPrinter:
            ShowText(m_hWnd, IDS_CONNECT_USB_PRINTER);
            return false;
        case UsbCheck::Stop:
            return false;
        case UsbCheck::AskRenumber:
            if (AskText(IDS_RENUMBER_QUESTION) != IDYES) return false;
            return ChangeUsbDeviceId(static_cast<unsigned char>(check.targetNumber));
    }
    return false;
}

// The engine runs on a worker thread while the progress window runs modally here. The window may close
// before the engine ends (at 90 % on Windows 98/Me), so the end of the thread, which comes after its
// last write of finishState, is waited for before resultMessage is read.
bool WizardDialog::RunEngine() {
    ProgressWindow progress(this);
    ShowWindow(SW_SHOWMINIMIZED);
    progress.targetSystem = choices.targetSystem;
    progress.finishState = Running;
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    resultMessage[0] = '\0';
    StepLog steps;
    EngineTask task = {&choices, &progress.finishState, &steps};
    HANDLE engine = AfxBeginThread(RunInstallation, &task);
    if (engine == nullptr) RunInstallation(&task);  // no thread to be had: install on this one
    progress.DoModal();
    if (engine != nullptr) {
        WaitForSingleObject(engine, INFINITE);
        CloseHandle(engine);
    }
    steps.Finish(progress.finishState == Succeeded, choices.printerName);
    return progress.finishState == Succeeded;
}

void WizardDialog::ReportResult() {
    std::string result = resultMessage[0] != '\0' ? resultMessage : ResourceText(IDS_INSTALLED);
    LogMessageShown(result.c_str());
    ShowWindowMessage(m_hWnd, result.c_str());
    if (choices.targetSystem != Windows98Me) return;
    if (AskText(IDS_RESTART_QUESTION) != IDYES) {
        TillLogResource(IDS_LOG_RESTART_DECLINED);
        return;
    }
    TillLogResource(IDS_LOG_RESTART_ACCEPTED);
    if (!ExitWindowsEx(EWX_REBOOT, 0)) {
        TillLogResource(IDS_LOG_RESTART_FAILED, GetLastError());
        ShowText(m_hWnd, IDS_RESTART_FAILED);
    }
}
