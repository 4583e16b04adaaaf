#pragma once
// What a test looks at, or arranges, in the system around an installation, beyond the shared helpers
// of the spooler, the registry and the spooler service: the component keys' values, the fixture
// components' files, the spooler's start, files held open, and components that an earlier
// installation left.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/SharedTypes.h"
#include "tests/support/RegistryState.h"
#include "tests/support/ServiceState.h"
#include "tests/support/SpoolerState.h"
#include "tests/support/TestSupport.h"

// The "DriverVersion" of a component's key of HKEY_LOCAL_MACHINE; 0xffffffff when it has none.
DWORD RecordedVersion(const std::string& key);
// Whether the file at path is a copy of the fixture port monitor or print processor.
::testing::AssertionResult HoldsFixtureMonitor(const std::string& path);
::testing::AssertionResult HoldsFixtureProcessor(const std::string& path);
// Starts the spooler service and waits until it runs.
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
