#include "msi/UpgradeRegistration.h"

#include <windows.h>

namespace {
// Where the Installer registers a per-machine product under its upgrade code.
const char* const kUpgradeCodeKeys[] = {
    "Software\\Classes\\Installer\\UpgradeCodes\\",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UpgradeCodes\\",
};

bool IsHex(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
}

std::string Reversed(const std::string& text) {
    return std::string(text.rbegin(), text.rend());
}
}  // namespace

std::string PackedGuid(const std::string& guid) {
    if (guid.size() != 38 || guid[0] != '{' || guid[37] != '}' || guid[9] != '-' || guid[14] != '-' ||
        guid[19] != '-' || guid[24] != '-')
        return std::string();
    std::string parts[] = {guid.substr(1, 8), guid.substr(10, 4), guid.substr(15, 4), guid.substr(20, 4),
                           guid.substr(25, 12)};
    for (const std::string& part : parts) {
        if (!IsHex(part)) return std::string();
    }
    std::string packed = Reversed(parts[0]) + Reversed(parts[1]) + Reversed(parts[2]);
    // The last eight bytes keep their order, each with its two digits swapped.
    std::string bytes = parts[3] + parts[4];
    for (size_t at = 0; at < bytes.size(); at += 2) packed += std::string() + bytes[at + 1] + bytes[at];
    for (char& c : packed) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return packed;
}

void RegisterUnderUpgradeCode(const std::string& upgradeCode, const std::vector<std::string>& products) {
    std::string code = PackedGuid(upgradeCode);
    if (code.empty() || products.empty()) return;
    for (const char* base : kUpgradeCodeKeys) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (base + code).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            continue;
        for (const std::string& product : products) {
            std::string packed = PackedGuid(product);
            if (packed.empty() ||
                RegQueryValueExA(key, packed.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
                continue;
            RegSetValueExA(key, packed.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        }
        RegCloseKey(key);
    }
}
