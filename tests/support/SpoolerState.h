#pragma once
// The spooler as the tests see it: its environments and directories, what it records about a printer,
// the registry keys it keeps for port monitors and print processors, and the removal of a printer or a
// driver a test or an installation left.

#include <windows.h>
#include <winspool.h>

#include <string>

#include "common/SharedTypes.h"

// The spooler's environments: the one the NT family installs for, and Windows 98/Me's.
extern const char kNtEnvironment[];  // "Windows NT x86"
extern const char k9xEnvironment[];  // "Windows 4.0"
// The environment an installation for the system registers its components in.
const char* EnvironmentOf(TargetSystem system);

// The spooler's printer-driver and print-processor directories for an environment (null: the one the
// process runs in); empty when the spooler does not answer.
std::string SpoolerDriverDirectory(const char* environment = nullptr);
std::string SpoolerProcessorDirectory(const char* environment = nullptr);

// What PRINTER_INFO_2 tells about a printer.
struct PrinterRecord {
    bool found = false;
    std::string name, driver, port, processor;
    DWORD attributes = 0;
};
PrinterRecord RecordOf(const PRINTER_INFO_2A& info);
// The printer's record as GetPrinterA level 2 reads it; found is false when there is no such printer.
PrinterRecord ReadPrinter(const std::string& name);

// Deletes the printer of that name, if there is one.
void RemovePrinter(const std::string& name);
// Deletes the driver of that name from an environment (null: the process's), if it is registered.
void RemovePrinterDriver(const std::string& name, const char* environment);

// The keys under HKEY_LOCAL_MACHINE where the spooler keeps a port monitor and a print processor.
std::string MonitorKey(const std::string& monitor);
std::string ProcessorKey(const char* environment, const std::string& processor);
