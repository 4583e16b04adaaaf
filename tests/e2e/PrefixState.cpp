#include "tests/e2e/PrefixState.h"

#include <winspool.h>

#include <cstring>

#include "tests/support/TestSupport.h"
#include "tests/support/WizardDriver.h"

const char kNtEnvironment[] = "Windows NT x86";
const char k9xEnvironment[] = "Windows 4.0";
const char kPortNameKey[] = "SOFTWARE\\TALVERN\\PORTNAME";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT";
const char kNtPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

namespace {
const char kMakerPrefix[] = "Qelvan ";
const char kMakerKey[] = "SOFTWARE\\TALVERN";
const char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";
const char kNone[] = "\x01<none>";
const char* const kSystemFolders[] = {"win98", "winnt", "win2003", "Vista"};
const char* const kMonitorKeys[] = {"COMMONitorPDLLName", "COMMONitorPUIDLLName", "USBMONitorPDLLName",
                                    "USBMONitorPUIDLLName"};
const char* const kMonitorSections[] = {"COMMON-MONITOR.98", "COMMON-MONITOR.NT",   "COMMON-MONITOR.2K",
                                        "COMMON-MONITOR.XP", "COMMON-MONITOR.2003", "COMMON-MONITOR.Vista"};
const char* const kMonitorNameKeys[] = {"COMMONitorPName", "USBMONitorPName"};

bool IsMakers(const char* name) {
    return name != nullptr && strncmp(name, kMakerPrefix, strlen(kMakerPrefix)) == 0;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

std::string SpoolerDirectory(const char* environment, bool processor) {
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(path);
    char* env = const_cast<char*>(environment);
    BOOL got = processor ? GetPrintProcessorDirectoryA(nullptr, env, 1, buffer, sizeof path, &needed)
                         : GetPrinterDriverDirectoryA(nullptr, env, 1, buffer, sizeof path, &needed);
    return got ? path : "";
}

void DeleteKeyTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteKeyTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

void DeleteValue(HKEY root, const std::string& path, const std::string& value) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
}

void DeleteFileIfPresent(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

// The files of the built medium's system folders: what may have been copied into spooler directories.
std::vector<std::string> MediumFileNames() {
    std::vector<std::string> names;
    for (const char* folder : kSystemFolders) {
        for (const std::string& name : FilesIn(MediumDir() + "\\" + folder)) {
            names.push_back(name);
            names.push_back("n" + name);  // the prefixed copy of a file that was in use
        }
    }
    return names;
}

std::string ProfileValue(const char* section, const char* key) {
    char text[300] = {};
    GetProfileStringA(section, key, kNone, text, sizeof text);
    return text;
}

void RemovePrinters() {
    for (const PrinterRecord& printer : MakerPrinters()) {
        PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE handle = nullptr;
        if (!OpenPrinterA(const_cast<char*>(printer.name.c_str()), &handle, &access)) continue;
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
}

void RemoveDrivers() {
    for (const char* environment : {kNtEnvironment, k9xEnvironment}) {
        for (const std::string& driver : MakerDrivers(environment))
            DeletePrinterDriverA(nullptr, const_cast<char*>(environment), const_cast<char*>(driver.c_str()));
    }
}

// The monitors, their files and the print processor named by the built medium's common file.
void RemoveComponents() {
    std::string common = MediumDir() + "\\DRVCONFIG\\setup.ini";
    for (const char* section : kMonitorSections) {
        for (const char* key : kMonitorNameKeys) {
            char name[200] = {};
            GetPrivateProfileStringA(section, key, "", name, sizeof name, common.c_str());
            if (name[0] == '\0') continue;
            DeleteMonitorA(nullptr, nullptr, name);
            DeleteKeyTree(HKEY_LOCAL_MACHINE, MonitorKey(name));
        }
        for (const char* key : kMonitorKeys) {
            char file[200] = {};
            GetPrivateProfileStringA(section, key, "", file, sizeof file, common.c_str());
            if (file[0] == '\0') continue;
            DeleteFileIfPresent(SystemDirectory() + "\\" + file);
            DeleteFileIfPresent(SystemDirectory() + "\\n" + file);
        }
    }
    for (const char* environment : {kNtEnvironment, k9xEnvironment})
        DeleteKeyTree(HKEY_LOCAL_MACHINE, ProcessorKey(environment, "QelvanProc"));
}

void RemoveFiles() {
    std::vector<std::string> names = MediumFileNames();
    for (const char* environment : {kNtEnvironment, k9xEnvironment}) {
        std::string drivers = DriverDirectory(environment);
        std::string processors = ProcessorDirectory(environment);
        for (const std::string& name : names) {
            for (const char* sub : {"\\", "\\3\\", "\\0\\"}) DeleteFileIfPresent(drivers + sub + name);
            DeleteFileIfPresent(processors + "\\" + name);
        }
    }
}

void RemoveCompatibilityRecords() {
    for (const std::string& name : ValueNames(HKEY_CURRENT_USER, kCompatibilityKey)) {
        if (name.find("QelvanSetup.exe") != std::string::npos)
            DeleteValue(HKEY_CURRENT_USER, kCompatibilityKey, name);
    }
}
}  // namespace

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
        record.name = Text(info->pPrinterName);
        record.driver = Text(info->pDriverName);
        record.port = Text(info->pPortName);
        record.processor = Text(info->pPrintProcessor);
        record.attributes = info->Attributes;
    }
    ClosePrinter(printer);
    return record;
}

std::vector<PrinterRecord> MakerPrinters() {
    std::vector<PrinterRecord> printers;
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return printers;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
        return printers;
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (!IsMakers(info[i].pDriverName)) continue;
        PrinterRecord record;
        record.found = true;
        record.name = Text(info[i].pPrinterName);
        record.driver = Text(info[i].pDriverName);
        record.port = Text(info[i].pPortName);
        record.processor = Text(info[i].pPrintProcessor);
        record.attributes = info[i].Attributes;
        printers.push_back(record);
    }
    return printers;
}

std::vector<std::string> MakerDrivers(const char* environment) {
    std::vector<std::string> drivers;
    char* env = const_cast<char*>(environment);
    DWORD needed = 0, count = 0;
    EnumPrinterDriversA(nullptr, env, 1, nullptr, 0, &needed, &count);
    if (needed == 0) return drivers;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrinterDriversA(nullptr, env, 1, buffer.data(), needed, &needed, &count)) return drivers;
    const DRIVER_INFO_1A* info = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (IsMakers(info[i].pName)) drivers.push_back(info[i].pName);
    }
    return drivers;
}

std::string DriverDirectory(const char* environment) {
    return SpoolerDirectory(environment, false);
}

std::string ProcessorDirectory(const char* environment) {
    return SpoolerDirectory(environment, true);
}

std::string SystemDirectory() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadDword(HKEY root, const std::string& path, const char* value, DWORD& data) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof data;
    LONG result = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD;
}

bool ReadString(HKEY root, const std::string& path, const char* value, std::string& data) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    LONG result = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    data = text;
    return true;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    RegCloseKey(key);
    return names;
}

std::string MonitorKey(const std::string& monitor) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + monitor;
}

std::string ProcessorKey(const char* environment, const std::string& processor) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + environment +
           "\\Print Processors\\" + processor;
}

std::string ProfilePort(const char* port) {
    std::string value = ProfileValue("Ports", port);
    return value == kNone ? "" : value;
}

std::string DefaultPrinterDevice() {
    std::string value = ProfileValue("windows", "device");
    return value == kNone ? "" : value;
}

DWORD SpoolerState() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS) : nullptr;
    SERVICE_STATUS status = {};
    bool answered = service != nullptr && QueryServiceStatus(service, &status);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return answered ? status.dwCurrentState : 0;
}

void InstallationCleanup::RemoveInstallations() {
    RemovePrinters();
    RemoveDrivers();
    RemoveComponents();
    RemoveFiles();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kMakerKey);
    RemoveCompatibilityRecords();
}

InstallationCleanup::InstallationCleanup() {
    for (int i = 1; i <= 8; ++i) {
        std::string port = "COM" + std::to_string(i) + ":";
        SavedValue saved{port, false, ""};
        saved.present = ReadString(HKEY_LOCAL_MACHINE, kNtPortsKey, port.c_str(), saved.data);
        ntPorts_.push_back(saved);
        std::string profile = ProfileValue("Ports", port.c_str());
        profilePorts_.push_back({port, profile != kNone, profile});
    }
    std::string device = ProfileValue("windows", "device");
    device_ = {"device", device != kNone, device};
    // A real Windows 98/Me has its print-processor directory; Wine does not make it.
    std::string processors = ProcessorDirectory(k9xEnvironment);
    madeProcessorDirectory_ = !processors.empty() && CreateDirectoryA(processors.c_str(), nullptr);
    RemoveInstallations();
}

InstallationCleanup::~InstallationCleanup() {
    RemoveInstallations();
    for (const SavedValue& port : ntPorts_) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtPortsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) break;
        if (port.present) {
            RegSetValueExA(key, port.name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(port.data.c_str()),
                           static_cast<DWORD>(port.data.size() + 1));
        } else {
            RegDeleteValueA(key, port.name.c_str());
        }
        RegCloseKey(key);
    }
    for (const SavedValue& port : profilePorts_)
        WriteProfileStringA("Ports", port.name.c_str(), port.present ? port.data.c_str() : nullptr);
    WriteProfileStringA("windows", "device", device_.present ? device_.data.c_str() : nullptr);
    if (madeProcessorDirectory_) RemoveDirectoryA(ProcessorDirectory(k9xEnvironment).c_str());
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", "");
}
