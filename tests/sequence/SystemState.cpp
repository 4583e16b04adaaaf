#include "tests/sequence/SystemState.h"

#include <winspool.h>

#include <vector>

#include "engine/RegistryKey.h"
#include "tests/sequence/SequenceMedium.h"
#include "tests/support/TestSupport.h"

namespace {
const char kNone[] = "<none>";

std::string SpoolerDirectory(bool processor) {
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(path);
    if (processor) {
        GetPrintProcessorDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    } else {
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    }
    return path;
}

::testing::AssertionResult HoldsCopyOf(const std::string& path, const std::string& original) {
    std::string text = ReadTextFile(path);
    if (text == ReadTextFile(original)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << " is not a copy of " << original << " but holds "
                                         << text.size() << " bytes: \"" << text.substr(0, 20) << "\"";
}

bool QuerySpooler(SERVICE_STATUS_PROCESS& status) {
    status = SERVICE_STATUS_PROCESS();
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS) : nullptr;
    DWORD needed = 0;
    bool answered = service && QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO,
                                                    reinterpret_cast<BYTE*>(&status), sizeof status, &needed);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return answered;
}
}  // namespace

std::string DriverDirectoryPath() {
    return SpoolerDirectory(false);
}

std::string ProcessorDirectoryPath() {
    return SpoolerDirectory(true);
}

std::string SystemDirectoryText() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string MonitorKey(const char* monitor) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\") + monitor;
}

std::string ProcessorKey(const char* processor, TargetSystem system) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") +
           (system == Windows98Me ? "Windows 4.0" : "Windows NT x86") + "\\Print Processors\\" + processor;
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadDword(const std::string& path, const char* value, DWORD& data) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string ReadString(HKEY root, const std::string& path, const char* value) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return kNone;
    char text[300] = {};
    DWORD size = sizeof text - 1;
    LONG result = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(text) : std::string(kNone);
}

::testing::AssertionResult HoldsFixtureMonitor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_monitor.dll");
}

::testing::AssertionResult HoldsFixtureProcessor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_processor.dll");
}

void RemoveFileIfPresent(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

PrinterRecord ReadPrinter(const std::string& name) {
    PrinterRecord record;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return record;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    if (needed != 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        record.found = true;
        record.name = info->pPrinterName ? info->pPrinterName : "";
        record.driver = info->pDriverName ? info->pDriverName : "";
        record.port = info->pPortName ? info->pPortName : "";
        record.processor = info->pPrintProcessor ? info->pPrintProcessor : "";
        record.attributes = info->Attributes;
    }
    ClosePrinter(printer);
    return record;
}

DWORD SpoolerState() {
    SERVICE_STATUS_PROCESS status;
    QuerySpooler(status);
    return status.dwCurrentState;
}

DWORD SpoolerProcessId() {
    SERVICE_STATUS_PROCESS status;
    QuerySpooler(status);
    return status.dwProcessId;
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
    WriteTextFile(SystemDirectoryText() + "\\" + file, kOldMonitor);
}

void InstallOldProcessor(DWORD version) {
    WriteTextFile(ProcessorDirectoryPath() + "\\qtproc.dll", kOldProcessor);
    char* environment = ExpectedSystem() == Windows98Me ? const_cast<char*>("Windows 4.0") : nullptr;
    AddPrintProcessorA(nullptr, environment, const_cast<char*>("qtproc.dll"), const_cast<char*>(kProcessor));
    RegistryKey(HKEY_LOCAL_MACHINE, ProcessorKey(kProcessor, ExpectedSystem()).c_str())
        .SetDword("DriverVersion", version);
}
