#pragma once
// What an installation of the wizard leaves where an administrator would look for it: printers and
// drivers in the spooler, port monitors and the print processor with their versions under the
// spooler's registry keys, the driver's files, the serial settings, the default printer and the
// maker's USB records. The readers of the spooler, the registry and the spooler service it builds on
// are the shared ones of tests/support.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/RegistryState.h"
#include "tests/support/ServiceState.h"
#include "tests/support/SpoolerState.h"
#include "tests/support/TestSupport.h"

// The printers whose driver is one of the maker's ("Qelvan ..."), by name.
std::vector<PrinterRecord> MakerPrinters();
// The maker's drivers registered for an environment.
std::vector<std::string> MakerDrivers(const char* environment);

// The names of a key's values.
std::vector<std::string> ValueNames(HKEY root, const std::string& path);

// HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\QelvanPrinterDrivers": the medium's entry in
// the list of installed programs.
extern const char kUninstallEntryKey[];
extern const char kPortNameKey[];     // HKLM "SOFTWARE\TALVERN\PORTNAME"
extern const char kPrinterPortKey[];  // HKLM "SOFTWARE\TALVERN\PRINTERPORT"

// The profile's [Ports] entry of a port, and the default printer ([windows] device).
std::string ProfilePort(const char* port);
std::string DefaultPrinterDevice();
