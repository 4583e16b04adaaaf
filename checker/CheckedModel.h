#pragma once
// One model of the catalogue as the checks pass it on, and what the models need of each system's
// shared components.

#include "common/SharedTypes.h"

constexpr int kSystemCount = 6;  // the TargetSystem values Windows98Me .. WindowsVista

struct CheckedModel {
    char name[200];
    int category;
    int entry;  // its number in the catalogue (DEVICENAME<entry>)
};

// Filled by the model checks, read by the component checks.
struct SystemNeeds {
    bool claimed[kSystemCount] = {};     // some model can be installed on the system
    bool comMonitor[kSystemCount] = {};  // a serial port of some model needs the serial-port monitor
    bool usbMonitor[kSystemCount] = {};  // a USB port of some model needs the USB-port monitor
    bool processor = false;              // some driver uses a print processor other than "WinPrint"
};
