#pragma once
// The scratch installation medium of one test, for the system the test executable sees, and the
// components it carries.

#include <windows.h>

#include <string>

#include "common/SharedTypes.h"
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
// The stand-in driver files of the medium, including the Windows 98/Me system files.
constexpr int kStandInFileCount = 9;
extern const char* const kStandInFiles[kStandInFileCount];

// The system the executable was built to see (QELVAN_WINVER), which GetVersionExA must confirm.
TargetSystem ExpectedSystem();
bool SystemMatchesVersion();
// "COM2:" on Windows 98/Me, the maker's "TVCOM2:" elsewhere.
const char* SerialPort();

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
    void RemoveSystemFile(const char* name);

private:
    void WriteConfiguration();
    void WriteSystemFiles();
    TempDir dir_{"sequence"};
    CurrentDirectoryScope scope_;
};
