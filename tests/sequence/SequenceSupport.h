#pragma once
// Helpers of the end-to-end tests of the installation engine: a scratch installation medium made the
// working directory, a wizard whose choices are filled the way the Install command fills them, the
// engine run on its own thread with a real EngineTask, what an administrator would look at afterwards
// (the printer, the driver's files, the monitors and the processor), and the removal of everything an
// installation leaves in the test prefix.

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SharedTypes.h"
#include "app/WizardDialog.h"
#include "pages/ProgressWindow.h"
#include "tests/support/TestSupport.h"

// The components of the scratch medium; their names sort before Wine's "winprint" where it matters.
extern const char kComMonitor[];     // "QTest COM Port", file qtcommon.dll, configured version 3
extern const char kUsbMonitor[];     // "QTest USB Port", file qtusbmon.dll, configured version 2
extern const char kProcessor[];      // "QTestProc", file qtproc.dll, configured version 2
extern const char kLateProcessor[];  // "ZTestProc": sorts after "winprint", so Wine never lists it
extern const char kModel[];          // "QT-R58", driver "QTest R58"
extern const char kDriverName[];
constexpr DWORD kComVersion = 3;
constexpr DWORD kUsbVersion = 2;
constexpr DWORD kProcessorVersion = 2;

// The system the executable was built to see (QELVAN_WINVER), which GetVersionExA must confirm.
TargetSystem ExpectedSystem();
bool SystemMatchesVersion();
// "COM2:" on Windows 98/Me, the maker's "TVCOM2:" elsewhere.
const char* SerialPort();

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

// The medium of one test: DRVCONFIG\setup.ini, DRVCONFIG\setup_receipt.ini with the models
// "QT-R58", "KRP-A100" and "QT-DDK", and the folder of the expected system with stand-in driver files,
// the fixture monitor under both monitor names and the fixture processor. It is the working directory
// while the object lives.
class SequenceMedium {
public:
    SequenceMedium();
    const std::string& Path() const { return dir_.Path(); }
    // The folder of the system's files, e.g. "...\winnt\".
    std::string SystemFolder() const;
    // Changes one key of a model's descriptor section for the expected system.
    void SetDescriptor(const char* model, const char* key, const char* value);
    void SetCommon(const char* section, const char* key, const char* value);
    void RemoveSystemFile(const char* name);

private:
    void WriteConfiguration();
    void WriteSystemFiles();
    TempDir dir_{"sequence"};
    CurrentDirectoryScope scope_;
};

// Removes, when constructed and again when destroyed, every printer, driver, monitor, processor,
// file and registry value an installation from the scratch medium can leave, and restores the
// serial settings, the profile's ports and the default printer as they were.
class InstallationLeftovers {
public:
    InstallationLeftovers();
    ~InstallationLeftovers();
    InstallationLeftovers(const InstallationLeftovers&) = delete;
    InstallationLeftovers& operator=(const InstallationLeftovers&) = delete;
    // The maker's USB port record key; created for the test when the system has none.
    void CreatePrinterPortKey();
    // The port class entries of Windows 98/Me: 0000 and 0001 both serial.
    void CreateSerialPortClass();

private:
    void Remove();
    // Creates the key of HKEY_LOCAL_MACHINE and each missing key above it, to be deleted at the end.
    void CreateKeyChain(const std::string& path);
    std::string savedNtPort_;
    std::string savedProfilePort_;
    std::string savedDevice_;
    std::vector<std::string> createdKeys_;
};

// The Install command's part before the engine: choices for a model of the receipt category on a
// port, with the driver, printer and file records read from the medium and the port suffix appended.
void FillChoices(InstallChoices& choices, const char* model, const char* port);

struct EngineOutcome {
    int finishState;
    std::string message;
};
// Runs RunInstallation on a thread of its own with an EngineTask of the wizard and a progress window
// (not shown), as the Install command does, starting from an empty resultMessage.
EngineOutcome RunEngine(WizardDialog& wizard);

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
