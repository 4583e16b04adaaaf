#include "tests/sequence/InstallationLeftovers.h"

#include <winspool.h>

#include "engine/RegistryKey.h"
#include "tests/sequence/SequenceMedium.h"
#include "tests/sequence/SystemState.h"

namespace {
const char* const kSystemFiles[] = {"qtcommon.dll", "nqtcommon.dll", "qtcomui.dll",
                                    "qtusbmon.dll", "nqtusbmon.dll", "qtusbui.dll"};
const char* const kModels[] = {"QT-R58", "KRP-A100", "QT-DDK"};
const char* const kDrivers[] = {"QTest R58", "QTest A100", "QTest DDK"};
const char kNtPorts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
const char kPortClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
const char kNone[] = "<none>";

std::string ProfileText(const char* section, const char* key) {
    char text[300] = {};
    GetProfileStringA(section, key, kNone, text, sizeof text);
    return text;
}

void RestoreProfile(const char* section, const char* key, const std::string& saved) {
    WriteProfileStringA(section, key, saved == kNone ? nullptr : saved.c_str());
}

void DeletePrinterNamed(const std::string& name) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

void DeleteValue(HKEY root, const char* path, const char* value) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, value);
    RegCloseKey(key);
}

std::string PortClassEntry(int i) {
    return kPortClass + std::to_string(i);
}
}  // namespace

InstallationLeftovers::InstallationLeftovers()
    : savedNtPort_(ReadString(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:")),
      savedProfilePort_(ProfileText("Ports", "COM2:")),
      savedDevice_(ProfileText("windows", "device")) {
    Remove();
}

InstallationLeftovers::~InstallationLeftovers() {
    Remove();
    if (savedNtPort_ == kNone) {
        DeleteValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:");
    } else {
        RegistryKey(HKEY_LOCAL_MACHINE, kNtPorts).SetString("COM2:", savedNtPort_.c_str());
    }
    RestoreProfile("Ports", "COM2:", savedProfilePort_);
    RestoreProfile("windows", "device", savedDevice_);
    for (auto key = createdKeys_.rbegin(); key != createdKeys_.rend(); ++key)
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, key->c_str());
}

void InstallationLeftovers::CreateKeyChain(const std::string& path) {
    for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        std::string key = path.substr(0, end);
        if (!key.empty() && !KeyExists(HKEY_LOCAL_MACHINE, key)) {
            RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, key.c_str(), nullptr);
            createdKeys_.push_back(key);
        }
        if (end == std::string::npos) return;
    }
}

void InstallationLeftovers::Remove() {
    for (const char* model : kModels) {
        for (const char* suffix : {"(S)", "(P)", "(U) 1"}) {
            std::string name = std::string(model) + suffix;
            for (const char* number : {"", "(1)", "(2)"}) DeletePrinterNamed(name + number);
        }
    }
    for (const char* driver : kDrivers) {
        DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver));
        DeletePrinterDriverA(nullptr, const_cast<char*>("Windows 4.0"), const_cast<char*>(driver));
    }
    for (const char* monitor : {kComMonitor, kUsbMonitor}) {
        DeleteMonitorA(nullptr, nullptr, const_cast<char*>(monitor));
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, MonitorKey(monitor).c_str());
    }
    for (const char* processor : {kProcessor, kLateProcessor}) {
        for (TargetSystem system : {Windows98Me, WindowsXP})
            RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, ProcessorKey(processor, system).c_str());
    }
    std::string driverDirectory = DriverDirectoryPath();
    for (const char* name : kStandInFiles) {
        for (const char* sub : {"\\", "\\3\\", "\\0\\"}) RemoveFileIfPresent(driverDirectory + sub + name);
    }
    for (const char* name : kSystemFiles) RemoveFileIfPresent(SystemDirectoryText() + "\\" + name);
    for (const char* name : {"qtproc.dll", "nqtproc.dll"})
        RemoveFileIfPresent(ProcessorDirectoryPath() + "\\" + name);
    for (const char* port : {"USB_QT-R58_1", "USB_QTCOM_1"})
        DeleteValue(HKEY_LOCAL_MACHINE, kPrinterPortKey, port);
}

void InstallationLeftovers::CreatePrinterPortKey() {
    CreateKeyChain(kPrinterPortKey);
}

void InstallationLeftovers::CreateSerialPortClass() {
    if (KeyExists(HKEY_LOCAL_MACHINE, PortClassEntry(0)) || KeyExists(HKEY_LOCAL_MACHINE, PortClassEntry(1)))
        return;
    BYTE serial = 1;
    for (int i = 0; i < 2; ++i) {
        CreateKeyChain(PortClassEntry(i));
        RegistryKey(HKEY_LOCAL_MACHINE, PortClassEntry(i).c_str())
            .SetValue("PortSubClass", &serial, REG_BINARY, 1);
    }
}
