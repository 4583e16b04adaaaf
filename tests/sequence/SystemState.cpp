#include "tests/sequence/SystemState.h"

#include <winspool.h>

#include "common/RegistryKey.h"
#include "tests/sequence/SequenceMedium.h"
#include "tests/support/TestSupport.h"

namespace {
::testing::AssertionResult HoldsCopyOf(const std::string& path, const std::string& original) {
    std::string text = ReadTextFile(path);
    if (text == ReadTextFile(original)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << " is not a copy of " << original << " but holds "
                                         << text.size() << " bytes: \"" << text.substr(0, 20) << "\"";
}
}  // namespace

DWORD RecordedVersion(const std::string& key) {
    DWORD version = 0xffffffff;
    ReadDword(HKEY_LOCAL_MACHINE, key, "DriverVersion", version);
    return version;
}

::testing::AssertionResult HoldsFixtureMonitor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_monitor.dll");
}

::testing::AssertionResult HoldsFixtureProcessor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_processor.dll");
}

bool StartSpoolerAndWait() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_START) : nullptr;
    if (service) StartServiceA(service, 0, nullptr);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    for (int i = 0; i < 100 && SpoolerState() != SERVICE_RUNNING; ++i) Sleep(20);
    return SpoolerState() == SERVICE_RUNNING;
}

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

LockedFile::~LockedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

const char kOldMonitor[] = "old monitor";
const char kOldProcessor[] = "old processor";

void InstallOldMonitor(const char* monitor, const std::string& file, const DWORD* version) {
    std::string path = MonitorKey(monitor);
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, path.c_str(), nullptr);
    RegistryKey key(HKEY_LOCAL_MACHINE, path.c_str());
    key.SetString("Driver", file.c_str());
    if (version) key.SetDword("DriverVersion", *version);
    WriteTextFile(SystemDirectoryPath() + "\\" + file, kOldMonitor);
}

void InstallOldProcessor(DWORD version) {
    WriteTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll", kOldProcessor);
    char* environment = ExpectedSystem() == Windows98Me ? const_cast<char*>("Windows 4.0") : nullptr;
    AddPrintProcessorA(nullptr, environment, const_cast<char*>("qtproc.dll"), const_cast<char*>(kProcessor));
    RegistryKey(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(ExpectedSystem()), kProcessor).c_str())
        .SetDword("DriverVersion", version);
}
