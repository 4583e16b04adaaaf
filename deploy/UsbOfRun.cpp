#include "deploy/UsbOfRun.h"

#include <vector>

#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/PrinterInstall.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDevice.h"

namespace {
InstallMode ModeOf(const InstallRequest& request) {
    return request.advanced ? Advanced : Typical;
}

// The number the port's printer answers with, as the numbering check wants it.
int OwnNumber(const InstallRequest& request, const InstallChoices& choices) {
    return request.advanced ? UsbPortOwnNumber(choices.portName) : 1;
}

// An entry whose printer is already on its port is kept: it needs no connected printer.
bool PrinterOnPort(const InstallChoices& choices) {
    std::vector<SystemPrinter> printers;
    ListSystemPrinters(printers);
    for (const SystemPrinter& printer : printers) {
        if (IsPrinterOf(printer, choices)) return true;
    }
    return false;
}
}  // namespace

UsbOfRun::UsbOfRun() : deviceId_(GetUsbDeviceId()) {}

bool UsbOfRun::CheckUpFront(const InstallRequest& request, const InstallChoices& choices, bool renumber) {
    if (choices.portKind != Usb) return true;
    if (PrinterOnPort(choices)) {
        // The printer that answers under this number is that printer's: no later renumbering takes it.
        Hold(OwnNumber(request, choices));
        return true;
    }
    UsbCheckResult check = CheckUsbNumbering(ModeOf(request), deviceId_, choices.portName);
    switch (check.action) {
        case UsbCheck::Proceed:
            return true;
        case UsbCheck::AskRenumber:
            if (renumber) return true;
            SayRenumberNeeded(request.port.where.c_str(), deviceId_, choices.portName, check.targetNumber);
            return false;
        case UsbCheck::NeedPrinter:
            SayResourceText(IDS_CONNECT_USB_PRINTER);
            break;
        case UsbCheck::Stop:
            break;
    }
    SayResourceFormatted(IDS_DEPLOY_NO_USB_PRINTER_ANSWERS, request.port.where.c_str());
    return false;
}

bool UsbOfRun::BeforeEntry(const InstallRequest& request, const InstallChoices& choices,
                           const std::string& section) {
    pending_ = {};
    if (choices.portKind != Usb) return true;
    pending_.usb = true;
    pending_.ownNumber = OwnNumber(request, choices);
    if (PrinterOnPort(choices)) return true;
    UsbCheckResult check = CheckUsbNumbering(ModeOf(request), deviceId_, choices.portName);
    if (check.action != UsbCheck::AskRenumber || !request.renumber) return true;
    int connected = UsbPortNumber(deviceId_);
    if (connected >= 1 && connected <= 8 && held_[connected]) {
        SayResourceFormatted(IDS_DEPLOY_USB_PRINTER_HELD, section.c_str(), connected);
        return false;
    }
    pending_.renumbers = true;
    pending_.targetNumber = check.targetNumber;
    return true;
}

void UsbOfRun::AfterEntry(bool done) {
    if (!pending_.usb) return;
    if (pending_.renumbers) {
        // The printer answers with its old number until it is reset: both are now this run's.
        Hold(UsbPortNumber(deviceId_));
        Hold(pending_.targetNumber);
        deviceId_ = GetUsbDeviceId();
    } else if (done) {
        Hold(pending_.ownNumber);
    }
    pending_ = {};
}

void UsbOfRun::Hold(int number) {
    if (number >= 1 && number <= 8) held_[number] = true;
}
