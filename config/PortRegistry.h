#pragma once
// The wizard's own registry records besides the spooler's: the device number recorded for a USB port,
// the maker's eight port slots, and the compatibility record on Windows Vista; and the recognition of
// the running system that decides the last.

#include <windows.h>

#include <string>
#include <vector>

#include "common/SharedTypes.h"

// Records under HKLM "SOFTWARE\TALVERN\PORTNAME\" the device number that SUPPORTED-USB-DEVICE of the
// program directory's DRVCONFIG\setup.ini gives the port (0 when absent), and resets "D1".."D8" under
// "SOFTWARE\TALVERN\PRINTERPORT\". Registry failures are silent.
void RegisterUsbPortDevice(const char* portName);

// Removes the port's values under "SOFTWARE\TALVERN\PORTNAME\" and "...\PRINTERPORT\" (what
// RegisterUsbPortDevice and the installation record). A value or key already absent counts as removed.
// True when none is left; otherwise error holds the registry's code of the first failed removal.
bool RemoveUsbPortRecords(const char* portName, DWORD& error);

// The USB ports ("USB_...") that have a value under "...\PORTNAME\" or "...\PRINTERPORT\", each once.
std::vector<std::string> RecordedUsbPorts();

enum class SystemRecognition { Recognised, NotRecognised, Unsupported };

struct DetectedSystem {
    TargetSystem system;  // Windows98Me unless recognised
    SystemRecognition recognition;
};

// The TargetSystem of a platform id and version, as GetVersionExA reports them.
DetectedSystem RecognizeSystem(DWORD platformId, DWORD major, DWORD minor);

// Recognises the running system. On Windows Vista it records the program in the compatibility
// assistant's list; on an unsupported platform it shows message 115.
DetectedSystem DetectSystem();
