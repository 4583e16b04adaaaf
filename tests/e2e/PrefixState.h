#pragma once
// What an installation of the wizard leaves where an administrator would look for it: printers and
// drivers in the spooler, port monitors and the print processor with their versions under the
// spooler's registry keys, the driver's files, the serial settings, the default printer and the
// maker's USB records.

#include <windows.h>

#include <string>
#include <vector>

// The spooler's environments: the one the NT family installs for, and Windows 98/Me's.
extern const char kNtEnvironment[];  // "Windows NT x86"
extern const char k9xEnvironment[];  // "Windows 4.0"

// What GetPrinterA level 2 tells about a printer.
struct PrinterRecord {
    bool found = false;
    std::string name, driver, port, processor;
    DWORD attributes = 0;
};
PrinterRecord ReadPrinter(const std::string& name);
// The printers whose driver is one of the maker's ("Qelvan ..."), by name.
std::vector<PrinterRecord> MakerPrinters();
// The maker's drivers registered for an environment.
std::vector<std::string> MakerDrivers(const char* environment);

// The spooler's directories for an environment: the printer-driver and the print-processor directory.
std::string DriverDirectory(const char* environment);
std::string ProcessorDirectory(const char* environment);
std::string SystemDirectory();

// Registry values; a missing key or value reads as found = false.
bool KeyExists(HKEY root, const std::string& path);
bool ReadDword(HKEY root, const std::string& path, const char* value, DWORD& data);
bool ReadString(HKEY root, const std::string& path, const char* value, std::string& data);
// The names of a key's values.
std::vector<std::string> ValueNames(HKEY root, const std::string& path);

std::string MonitorKey(const std::string& monitor);
std::string ProcessorKey(const char* environment, const std::string& processor);
extern const char kPortNameKey[];     // HKLM "SOFTWARE\TALVERN\PORTNAME"
extern const char kPrinterPortKey[];  // HKLM "SOFTWARE\TALVERN\PRINTERPORT"
extern const char kNtPortsKey[];      // HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports"

// The state of the "Spooler" service (SERVICE_RUNNING, SERVICE_STOPPED, ...); 0 when it cannot be read.
DWORD SpoolerState();
// The process serving the "Spooler" service; 0 while it does not run.
DWORD SpoolerProcessId();

// The profile's [Ports] entry of a port, and the default printer ([windows] device).
std::string ProfilePort(const char* port);
std::string DefaultPrinterDevice();
