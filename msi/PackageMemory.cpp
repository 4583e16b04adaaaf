#include "msi/PackageMemory.h"

#include <windows.h>

#include "common/HexText.h"
#include "removal/PackageEntry.h"

namespace {
// The registry table writes each property's value under the property's own name.
bool ReadValue(const char* name, std::string& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPackageMarkerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    bool read =
        RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ;
    std::string data(read ? size + 1 : 0, '\0');
    read = read && RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
                       ERROR_SUCCESS;
    RegCloseKey(key);
    if (!read) return false;
    data.resize(strnlen(data.c_str(), data.size()));
    value = data;
    return true;
}
}  // namespace

std::string RememberedProperty(const char* name) {
    std::string value;
    ReadValue(name, value);
    return value;
}

bool RememberedProfile(std::string& path, std::string& text) {
    std::string hex;
    if (!ReadValue("QELVANPROFILETEXT", hex) || hex.empty() || !TextOfHex(hex, text)) return false;
    ReadValue("QELVANPROFILEPATH", path);
    return true;
}

void ForgetPackage() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPackageMarkerKey);
}
