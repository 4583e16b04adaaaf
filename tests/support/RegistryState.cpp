#include "tests/support/RegistryState.h"

#include <cstring>

const char kNtPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kMissingValue[] = "<none>";

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

void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& value) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
}

bool ReadProfileValue(const char* section, const char* key, std::string& data) {
    // A default no profile entry can hold tells a missing entry from an empty one.
    const char kMissing[] = "\x01<none>";
    char text[300] = {};
    GetProfileStringA(section, key, kMissing, text, sizeof text);
    if (strcmp(text, kMissing) == 0) return false;
    data = text;
    return true;
}

std::string ReadStringOrNone(HKEY root, const std::string& path, const char* value) {
    std::string text;
    return ReadString(root, path, value, text) ? text : kMissingValue;
}

std::string ProfileValueOrNone(const char* section, const char* key) {
    std::string text;
    return ReadProfileValue(section, key, text) ? text : kMissingValue;
}
