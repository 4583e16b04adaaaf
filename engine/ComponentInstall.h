#pragma once
// Brings the maker's port monitors and print processor up to the configured versions before the driver
// is installed. A missing component is installed at once; an installed but older one is only flagged,
// and UpdateOutdatedComponent then replaces the first flagged one.

#include "choices/InstallChoices.h"

// Update flags, or-ed into InstallChoices::engineStatus.
constexpr int ComMonitorOutdated = 1;
constexpr int UsbMonitorOutdated = 2;
constexpr int ProcessorOutdated = 8;

constexpr int MonitorInstallFailed = -15;
constexpr int ProcessorInstallFailed = -14;

// Whether the engine installs the serial-port monitor (never on Windows 98/Me, which uses the system's
// own serial ports) and the USB-port monitor (never on NT 4.0, which has no USB) on targetSystem.
bool InstallsComMonitor(int targetSystem);
bool InstallsUsbMonitor(int targetSystem);

// Which of the maker's port monitors a printer port needs on targetSystem: the serial-port monitor for
// a "COM" port (not on Windows 98/Me, which uses the system's own ports), the USB-port monitor for a
// "USB_" port (not on NT 4.0); a parallel port needs neither.
bool NeedsComMonitor(const char* portName, int targetSystem);
bool NeedsUsbMonitor(const char* portName, int targetSystem);

// Installs the serial-port monitor (for a "COM" port, not on Windows 98/Me) or the USB-port monitor (for
// a "USB_" port, not on NT 4.0) when missing. Returns 0, ComMonitorOutdated, UsbMonitorOutdated, or
// MonitorInstallFailed with the message set. Uses and changes choices.config.
int InstallPortMonitors(InstallChoices& choices, int targetSystem, const char* portName,
                        MessageText& message);

// Installs the print processor when missing (never the system's own "WinPrint"). Returns 0,
// ProcessorOutdated, or ProcessorInstallFailed with the message set: the processor's file not placed,
// or the spooler's refusal (text 123).
int InstallPrintProcessor(int targetSystem, const char* processorName, const char* processorFile,
                          MessageText& message);

// Replaces the first outdated component of engineStatus: on the NT family with the spooler stopped and
// restarted, on Windows 98/Me by a copy that the system loads at its next start. False with the
// message set when the update failed.
bool UpdateOutdatedComponent(InstallChoices& choices, int engineStatus, int processorVersion,
                             MessageText& message);
