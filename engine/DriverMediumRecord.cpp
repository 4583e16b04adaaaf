#include "engine/DriverMediumRecord.h"

#include <windows.h>

#include <cstdio>

#include "common/RegistryKey.h"

namespace {
const char kDriversKey[] = "SOFTWARE\\Qelvan\\Drivers";
}  // namespace

FileVersion RunningMediumVersion() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return FileVersion();
    return ReadFileVersion(path);
}

void RecordDriverMedium(const char* driverName) {
    FileVersion running = RunningMediumVersion();
    if (!running.present || driverName == nullptr) return;
    if (!RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kDriversKey)) return;
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kDriversKey)) key.SetString(driverName, running.text.c_str());
}

void ForgetDriverMedium(const std::string& driverName) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kDriversKey)) return;
    key.DeleteValue(driverName.c_str());
    key.Close();
    RegistryKey::DeleteKeyWhenEmpty(HKEY_LOCAL_MACHINE, kDriversKey);
    RegistryKey::DeleteKeyWhenEmpty(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qelvan");
}

FileVersion RecordedDriverMedium(const std::string& driverName) {
    FileVersion recorded;
    RegistryKey key;
    char text[64] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, kDriversKey) || !key.QueryString(driverName.c_str(), text, sizeof text))
        return recorded;
    unsigned words[4] = {};
    char end = '\0';
    // Exactly four numbers: a value edited into anything else is no record.
    if (sscanf(text, "%u.%u.%u.%u%c", &words[0], &words[1], &words[2], &words[3], &end) != 4) return recorded;
    for (unsigned word : words) {
        if (word > 0xFFFF) return recorded;
        recorded.number = (recorded.number << 16) | word;
    }
    recorded.present = true;
    recorded.text = text;
    return recorded;
}
