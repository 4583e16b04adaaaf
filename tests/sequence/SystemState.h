#pragma once
// What a test looks at, or arranges, in the system around an installation: the spooler's directories,
// the component keys and their values, the printers, the spooler service, files held open, and
// components that an earlier installation left.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/SharedTypes.h"

std::string DriverDirectoryPath();
std::string ProcessorDirectoryPath();
std::string SystemDirectoryText();
std::string MonitorKey(const char* monitor);
std::string ProcessorKey(const char* processor, TargetSystem system);
bool KeyExists(HKEY root, const std::string& path);
// A value of HKEY_LOCAL_MACHINE; false when the key or the value is missing.
bool ReadDword(const std::string& path, const char* value, DWORD& data);
std::string ReadString(HKEY root, const std::string& path, const char* value);
// Whether the file at path is a copy of the fixture port monitor or print processor.
::testing::AssertionResult HoldsFixtureMonitor(const std::string& path);
::testing::AssertionResult HoldsFixtureProcessor(const std::string& path);
// Deletes a file if it is there, read-only or not.
void RemoveFileIfPresent(const std::string& path);

// What GetPrinterA level 2 tells about an installed printer.
struct PrinterRecord {
    bool found = false;
    std::string name, driver, port, processor;
    DWORD attributes = 0;
};
PrinterRecord ReadPrinter(const std::string& name);

// The spooler service's state and the process that serves it.
DWORD SpoolerState();
DWORD SpoolerProcessId();
bool StartSpoolerAndWait();

// Holds a file open without sharing, so a copy onto it answers 32.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// A component the system already has, with an older file than the medium's: the monitor's key as the
// spooler keeps it (with "DriverVersion" when version is given) and the processor registered with the
// spooler for the expected system.
void InstallOldMonitor(const char* monitor, const std::string& file, const DWORD* version);
void InstallOldProcessor(DWORD version);
extern const char kOldMonitor[];  // the older files' contents
extern const char kOldProcessor[];
