#include "tests/e2e/PrefixState.h"

#include <winspool.h>

#include <cstring>

#include "tests/support/TestSupport.h"

const char kNtEnvironment[] = "Windows NT x86";
const char k9xEnvironment[] = "Windows 4.0";
const char kPortNameKey[] = "SOFTWARE\\TALVERN\\PORTNAME";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT";
const char kNtPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

namespace {
const char kMakerPrefix[] = "Qelvan ";
const char kNone[] = "\x01<none>";
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

std::string ProfileValue(const char* section, const char* key) {
    char text[300] = {};
    GetProfileStringA(section, key, kNone, text, sizeof text);
    return text;
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

DWORD SpoolerProcessId() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS) : nullptr;
    SERVICE_STATUS_PROCESS status = {};
    DWORD needed = 0;
    bool answered =
        service != nullptr && QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO,
                                                   reinterpret_cast<BYTE*>(&status), sizeof status, &needed);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return answered ? status.dwProcessId : 0;
}
