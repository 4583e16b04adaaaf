#pragma once
// The ports the port page offers for a model on a system in an install mode, and the entry it
// preselects: the rule behind the page's port list, shared with every program that installs without
// the page.

#include "choices/InstallChoices.h"

// Eight maker's serial ports, three parallel ports and up to four USB ports.
constexpr int kMaxOfferedPorts = 15;

struct PortOffer {
    int count = 0;
    char entries[kMaxOfferedPorts][kPortNameSize] = {};
    int selected = -1;             // the preselected entry; -1 when none is selected
    bool usbPrinterFound = false;  // the connected USB printer's port decided: serial lists disabled
};

// Builds the offer for the model of category on targetSystem. deviceId is the USB device query's
// result (GetUsbDeviceId), which the caller runs. Reads USBSUPPORTED and LPTDEFAULT of the model.
void BuildPortOffer(const char* modelName, int targetSystem, int category, InstallMode mode, int deviceId,
                    PortOffer& offer);

// How the port page reacts to a chosen port, by its name: "USB" first, then "LPT", otherwise serial.
// One port always gets one reaction, whether it was picked or preselected.
enum class PortReaction { UsbPort, ParallelPort, SerialPort };
PortReaction ReactionToPort(const char* portName);

// The driver family a port installs with: 1 (raster) for USB and parallel ports, 0 for serial ones.
int GdiDriverForPort(const char* portName);
