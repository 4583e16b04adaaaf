#pragma once
// The decisions of the Install command that depend only on the chosen port and mode: the port kind,
// the USB numbering check, the printer name's suffix and the port alias of certain models.

#include <cstddef>

#include "common/SharedTypes.h"

// Usb for a name containing "USB_", otherwise Serial for "COM" (the maker's "TVCOM1:" too), otherwise
// Parallel for "LPT"; -1 for a port the wizard cannot install on.
int DerivePortKind(const char* portName);

// The number of a USB port entry: the digit 1 to 4 of its trailing "_n", 0 when it has none. The
// trailing position matters: a model name may itself contain such a text.
int UsbPortOwnNumber(const char* portName);

// What the Install command does for a USB port before it installs.
enum class UsbCheck {
    Proceed,      // the connected printer's number fits the port, or no printer is needed
    NeedPrinter,  // advanced mode without a connected printer: message 139, stop
    Stop,         // more than one printer connected: the query has said so, stop
    AskRenumber,  // the printer's number differs: question 143, then renumber to targetNumber
};
struct UsbCheckResult {
    UsbCheck action;
    int targetNumber;  // the number to give the printer when action is AskRenumber
};
// deviceId is GetUsbDeviceId's result (-1 none, -2 more than one, otherwise the device id).
UsbCheckResult CheckUsbNumbering(InstallMode mode, int deviceId, const char* portName);

// Appends the port suffix to the printer name: "(S)" serial, "(P)" parallel, "(U) n" for the USB port
// numbered n (nothing for a USB port without a number).
void AppendPortSuffix(char* printerName, size_t capacity, int portKind, const char* portName);

// For a port whose name contains "KRP-C3": alias = "USB_KRP-C3_" followed by the port name's last
// character, and true. Otherwise the alias is emptied and the result is false.
bool BuildUsbPortAlias(const char* portName, char* alias, size_t capacity);
