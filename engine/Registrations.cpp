#include "engine/Registrations.h"

#include <winspool.h>

#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "engine/ComponentKeys.h"
#include "engine/SpoolerApi.h"

namespace {
const char kMonitorsKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";

// Each sub-key of keyPath with the file its "Driver" value names (monitors, print processors).
std::vector<Registration> RegisteredByKey(const char* keyPath) {
    std::vector<Registration> components;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return components;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        char path[MAX_PATH];
        char file[MAX_PATH] = {};
        RegistryKey component;
        if (FormatText(path, sizeof path, "%s\\%s", keyPath, name) &&
            component.Open(HKEY_LOCAL_MACHINE, path) && component.QueryString("Driver", file, sizeof file))
            components.push_back({name, {file}});
    }
    RegCloseKey(key);
    return components;
}

void AddDriverInfo(const DRIVER_INFO_3A& info, std::vector<Registration>& drivers) {
    if (info.pName == nullptr) return;
    Registration driver = {info.pName, {}};
    for (const char* file : {info.pDriverPath, info.pDataFile, info.pConfigFile, info.pHelpFile}) {
        if (file != nullptr && file[0] != '\0') driver.files.push_back(file);
    }
    for (const char* file = info.pDependentFiles; file != nullptr && *file != '\0'; file += strlen(file) + 1)
        driver.files.push_back(file);
    drivers.push_back(driver);
}
}  // namespace

bool RegisteredDrivers(int targetSystem, std::vector<Registration>& drivers, DWORD& error) {
    char* environment = ComponentEnvironment(targetSystem);
    DWORD needed = 0;
    DWORD count = 0;
    error = 0;
    if (!Spooler().enumPrinterDrivers(nullptr, environment, 3, nullptr, 0, &needed, &count)) {
        error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) return false;
        error = 0;
    }
    if (needed == 0) return true;
    std::vector<BYTE> buffer(needed);
    if (!Spooler().enumPrinterDrivers(nullptr, environment, 3, buffer.data(), needed, &needed, &count)) {
        error = GetLastError();
        return false;
    }
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) AddDriverInfo(info[index], drivers);
    return true;
}

std::vector<Registration> RegisteredMonitors() {
    return RegisteredByKey(kMonitorsKey);
}

std::vector<Registration> RegisteredProcessors(int targetSystem) {
    char keyPath[kComponentKeyPathSize];
    ProcessorKeyPath(targetSystem, "", keyPath);
    size_t length = strlen(keyPath);
    if (length > 0 && keyPath[length - 1] == '\\') keyPath[length - 1] = '\0';
    return RegisteredByKey(keyPath);
}

const Registration* RegistrationNaming(const std::vector<Registration>& registrations,
                                       const std::string& name) {
    for (const Registration& registration : registrations) {
        for (const std::string& file : registration.files) {
            if (SameText(FileNameOf(file), name)) return &registration;
        }
    }
    return nullptr;
}

bool AnyRegistrationNames(const std::string& name, int targetSystem, bool& listsRead) {
    std::vector<Registration> drivers;
    DWORD error = 0;
    listsRead = RegisteredDrivers(targetSystem, drivers, error);
    return RegistrationNaming(drivers, name) != nullptr ||
           RegistrationNaming(RegisteredMonitors(), name) != nullptr ||
           RegistrationNaming(RegisteredProcessors(targetSystem), name) != nullptr;
}
