#include "choices/InstallRules.h"

#include <cstring>

#include "common/BoundedText.h"
#include "usb/UsbDevice.h"

int DerivePortKind(const char* portName) {
    if (strstr(portName, "USB_") != nullptr) return Usb;
    if (strstr(portName, "COM") != nullptr) return Serial;
    if (strstr(portName, "LPT") != nullptr) return Parallel;
    return -1;
}

int UsbPortOwnNumber(const char* portName) {
    size_t length = strlen(portName);
    if (length < 2 || portName[length - 2] != '_') return 0;
    char digit = portName[length - 1];
    return digit >= '1' && digit <= '4' ? digit - '0' : 0;
}

UsbCheckResult CheckUsbNumbering(InstallMode mode, int deviceId, const char* portName) {
    if (deviceId == TooManyUsbDevices) return {UsbCheck::Stop, 0};
    if (deviceId == NoUsbDevice) {
        // A typical installation may go on without a connected printer.
        return {mode == Advanced ? UsbCheck::NeedPrinter : UsbCheck::Proceed, 0};
    }
    int connected = UsbPortNumber(deviceId);
    int wanted = mode == Advanced ? UsbPortOwnNumber(portName) : 1;
    if (connected == wanted) return {UsbCheck::Proceed, 0};
    return {UsbCheck::AskRenumber, wanted};
}

void AppendPortSuffix(char* printerName, size_t capacity, int portKind, const char* portName) {
    switch (portKind) {
        case Serial:
            AppendText(printerName, capacity, "(S)");
            break;
        case Parallel:
            AppendText(printerName, capacity, "(P)");
            break;
        case Usb: {
            int number = UsbPortOwnNumber(portName);
            char suffix[8];
            FormatText(suffix, sizeof suffix, "(U) %d", number);
            if (number > 0) AppendText(printerName, capacity, suffix);
            break;
        }
        default:
            break;
    }
}

bool BuildUsbPortAlias(const char* portName, char* alias, size_t capacity) {
    CopyText(alias, capacity, "");
    size_t length = strlen(portName);
    if (strstr(portName, "KRP-C3") == nullptr || length == 0) return false;
    char last[2] = {portName[length - 1], '\0'};
    CopyText(alias, capacity, "USB_KRP-C3_");
    AppendText(alias, capacity, last);
    return true;
}
