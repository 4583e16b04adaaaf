#include "tests/sequence/InstallationLeftovers.h"

#include "common/RegistryKey.h"
#include "tests/sequence/SequenceMedium.h"
#include "tests/sequence/SystemState.h"

namespace {
const char* const kSystemFiles[] = {"qtcommon.dll", "nqtcommon.dll", "qtcomui.dll",
                                    "qtusbmon.dll", "nqtusbmon.dll", "qtusbui.dll"};
const char* const kModels[] = {"QT-R58", "KRP-A100", "QT-DDK"};
const char* const kDrivers[] = {"QTest R58", "QTest A100", "QTest DDK"};
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
const char kPortClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
void RestoreProfile(const char* section, const char* key, const std::string& saved) {
    WriteProfileStringA(section, key, saved == kMissingValue ? nullptr : saved.c_str());
}

std::string PortClassEntry(int i) {
    return kPortClass + std::to_string(i);
}
}  // namespace

InstallationLeftovers::InstallationLeftovers()
    : savedNtPort_(ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:")),
      savedProfilePort_(ProfileValueOrNone("Ports", "COM2:")),
      savedDevice_(ProfileValueOrNone("windows", "device")) {
    Remove();
}

InstallationLeftovers::~InstallationLeftovers() {
    Remove();
    if (savedNtPort_ == kMissingValue) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:");
    } else {
        RegistryKey(HKEY_LOCAL_MACHINE, kNtPortsKey).SetString("COM2:", savedNtPort_.c_str());
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
            for (const char* number : {"", "(1)", "(2)"}) RemovePrinter(name + number);
        }
    }
    for (const char* driver : kDrivers) {
        RemovePrinterDriver(driver, nullptr);
        RemovePrinterDriver(driver, k9xEnvironment);
    }
    for (const char* monitor : {kComMonitor, kUsbMonitor}) {
        DeleteMonitorA(nullptr, nullptr, const_cast<char*>(monitor));
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, MonitorKey(monitor).c_str());
    }
    for (const char* processor : {kProcessor, kLateProcessor}) {
        for (TargetSystem system : {Windows98Me, WindowsXP})
            RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE,
                                   ProcessorKey(EnvironmentOf(system), processor).c_str());
    }
    std::string driverDirectory = SpoolerDriverDirectory();
    for (const char* name : kStandInFiles) {
        for (const char* sub : {"\\", "\\3\\", "\\0\\"}) RemoveFile(driverDirectory + sub + name);
    }
    for (const char* name : kSystemFiles) RemoveFile(SystemDirectoryPath() + "\\" + name);
    for (const char* name : {"qtproc.dll", "nqtproc.dll"})
        RemoveFile(SpoolerProcessorDirectory() + "\\" + name);
    for (const char* port : {"USB_QT-R58_1", "USB_QTCOM_1"})
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPrinterPortKey, port);
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
