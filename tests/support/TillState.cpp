#include "tests/support/TillState.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {
// The registry trees a run of the product writes in, whole.
const char* const kKeys[] = {
    "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print",
    "HKLM\\SOFTWARE\\Qelvan",
    "HKLM\\SOFTWARE\\TALVERN",
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
};

std::string Hex(const BYTE* data, DWORD size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        hex += digits[data[i] >> 4];
        hex += digits[data[i] & 0x0F];
    }
    return hex;
}

void CaptureKey(HKEY root, const std::string& place, const std::string& path, TillState& state) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    state["key " + place] = "";
    std::vector<BYTE> data(1 << 16);
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size + 1);
            --index;
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        state["value " + place + " : " + std::string(name, nameLength)] =
            std::to_string(type) + ":" + Hex(data.data(), size);
    }
    std::vector<std::string> subKeys;
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subKeys.push_back(std::string(name, length));
    }
    RegCloseKey(key);
    for (const std::string& sub : subKeys) CaptureKey(root, place + "\\" + sub, path + "\\" + sub, state);
}

// A short fingerprint of a file's bytes (FNV-1a), with its size.
std::string Fingerprint(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "unreadable";
    unsigned long long hash = 1469598103934665603ULL;
    unsigned long long size = 0;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ULL;
        size += read;
    }
    CloseHandle(file);
    return std::to_string(size) + " bytes, " + std::to_string(hash);
}

void CaptureFolder(const std::string& folder, bool recursive, TillState& state) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> folders;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            state["folder " + path] = "";
            if (recursive) folders.push_back(path);
        } else {
            state["file " + path] = Fingerprint(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& sub : folders) CaptureFolder(sub, true, state);
}

void CapturePrinters(TillState& state) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return;
    auto* printers = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        state[std::string("printer ") + p.pPrinterName] =
            std::string(p.pPortName ? p.pPortName : "") + " | " + (p.pDriverName ? p.pDriverName : "") +
            " | " + (p.pPrintProcessor ? p.pPrintProcessor : "") + " | " + std::to_string(p.Attributes);
    }
}

void CaptureProfile(TillState& state) {
    std::vector<char> keys(32768);
    DWORD length = GetProfileStringA("Ports", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
    for (const char* key = keys.data(); key < keys.data() + length && *key != '\0'; key += strlen(key) + 1) {
        char value[1024] = {};
        GetProfileStringA("Ports", key, "", value, sizeof value);
        state[std::string("win.ini [Ports] ") + key] = value;
    }
    char device[1024] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    state["default printer"] = device;
}
}  // namespace

TillState CaptureTill() {
    TillState state;
    CapturePrinters(state);
    for (const char* place : kKeys) {
        std::string text = place;
        HKEY root = text.compare(0, 4, "HKCU") == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        CaptureKey(root, text, text.substr(5), state);
    }
    std::string system = SystemDirectoryPath();
    CaptureFolder(system, false, state);
    CaptureFolder(system + "\\spool\\drivers", true, state);
    CaptureFolder(system + "\\spool\\prtprocs", true, state);
    CaptureFolder("C:\\Program Files\\Qelvan", true, state);
    CaptureFolder("C:\\Program Files\\QelvanPrinters", true, state);
    CaptureProfile(state);
    return state;
}

std::string TillDifferences(const TillState& before, const TillState& after) {
    std::string differences;
    for (const auto& item : before) {
        auto now = after.find(item.first);
        if (now == after.end())
            differences += "gone: " + item.first + " = " + item.second + "\n";
        else if (now->second != item.second)
            differences += "changed: " + item.first + " = " + item.second + " -> " + now->second + "\n";
    }
    for (const auto& item : after) {
        if (before.count(item.first) == 0) differences += "added: " + item.first + " = " + item.second + "\n";
    }
    return differences;
}
