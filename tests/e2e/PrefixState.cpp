#include "tests/e2e/PrefixState.h"

#include <winspool.h>

#include <cstring>

const char kUninstallEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QelvanPrinterDrivers";
const char kPortNameKey[] = "SOFTWARE\\TALVERN\\PORTNAME";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT";

namespace {
const char kMakerPrefix[] = "Qelvan ";
bool IsMakers(const char* name) {
    return name != nullptr && strncmp(name, kMakerPrefix, strlen(kMakerPrefix)) == 0;
}

}  // namespace

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
        if (IsMakers(info[i].pDriverName)) printers.push_back(RecordOf(info[i]));
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

std::string ProfilePort(const char* port) {
    std::string value;
    ReadProfileValue("Ports", port, value);
    return value;
}

std::string DefaultPrinterDevice() {
    std::string value;
    ReadProfileValue("windows", "device", value);
    return value;
}
