#include "engine/DriverMediumRecord.h"

#include <windows.h>

#include "common/RegistryKey.h"
#include "engine/ProductRecords.h"

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
    ForgetRecordLine(kDriversKey, driverName.c_str());
}

FileVersion RecordedDriverMedium(const std::string& driverName) {
    FileVersion recorded;
    RegistryKey key;
    char text[64] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, kDriversKey) || !key.QueryString(driverName.c_str(), text, sizeof text))
        return recorded;
    // Exactly four numbers of at most 65535 between dots: a value edited into anything else is no record.
    const char* at = text;
    for (int word = 0; word < 4; ++word) {
        if (word > 0 && *at++ != '.') return FileVersion();
        unsigned long value = 0;
        const char* digits = at;
        while (*at >= '0' && *at <= '9' && value <= 0xFFFF)
            value = value * 10 + static_cast<unsigned>(*at++ - '0');
        if (at == digits || value > 0xFFFF) return FileVersion();
        recorded.number = (recorded.number << 16) | value;
    }
    if (*at != '\0') return FileVersion();
    recorded.present = true;
    recorded.text = text;
    return recorded;
}
