#pragma once
// Helpers of the engine tests: the current directory, a scratch installation medium, a driver and
// printer registered with Wine's spooler for the length of a test, and the user's default printer.

#include <windows.h>
#include <winspool.h>

#include <string>

#include "tests/support/SpoolerState.h"
#include "tests/support/TestSupport.h"

std::string CurrentDirectoryPath();

// A scratch medium made the current directory: files are written relative to its root.
class ScratchMedium {
public:
    ScratchMedium() : scope_(dir_.Path()) {}
    void Add(const std::string& relativePath, const std::string& text) {
        WriteTextFile(dir_ / relativePath, text);
    }
    const std::string& Path() const { return dir_.Path(); }

private:
    TempDir dir_{"medium"};
    CurrentDirectoryScope scope_;
};

// Registers a stand-in driver (its files are plain text, which the spooler accepts and never runs)
// and a printer on LPT1: using it; both are removed again by the destructor.
class TestPrinter {
public:
    explicit TestPrinter(const std::string& printerName, const char* environment = nullptr);
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;
    bool Ready() const { return ready_; }
    const std::string& DriverName() const { return driverName_; }

private:
    std::string printerName_;
    std::string driverName_;
    std::string environment_;
    bool ready_ = false;
};

// The registered test driver and printer on their own, for tests that add them through the engine.
bool RegisterTestDriver(const std::string& driverName, const char* environment);
void RemoveTestPrinter(const std::string& printerName);
void RemoveTestDriver(const std::string& driverName, const char* environment);
PRINTER_INFO_2A TestPrinterRecord(char* printerName, char* driverName);

// The user's default printer as the NT family records it ("name,driver,port"); empty when none.
extern const char kWindowsKey[];  // HKCU "Software\Microsoft\Windows NT\CurrentVersion\Windows"
std::string DefaultDevice();
