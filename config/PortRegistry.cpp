#include "config/PortRegistry.h"

#include <cstring>
#include <initializer_list>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "config/SetupConfig.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
const char kPortNameKey[] = "SOFTWARE\\TALVERN\\PORTNAME\\";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
const char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";

// Opens root\path, creating the key first when it does not exist yet.
void OpenOrCreate(RegistryKey& key, HKEY root, const char* path) {
    if (key.Open(root, path)) return;
    RegistryKey::CreateKey(root, path);
    key.Open(root, path);
}

void RecordCompatibility() {
    RegistryKey::CreateKey(HKEY_CURRENT_USER, kCompatibilityKey);
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, kCompatibilityKey)) return;
    char programPath[MAX_PATH] = {};
    // A cut path (the answer fills the whole buffer) would name another program; it is not recorded.
    DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
    if (length == 0 || length >= sizeof programPath) return;
    key.SetDword(programPath, 1);
}
}  // namespace

void RegisterUsbPortDevice(const char* portName) {
    char commonPath[kConfigPathSize];
    char categoryPath[kConfigPathSize];
    BuildConfigPaths(-1, commonPath, categoryPath);
    // A path that did not fit is empty; the profile functions would read the system's own profile.
    UINT number =
        commonPath[0] != '\0' ? GetPrivateProfileIntA("SUPPORTED-USB-DEVICE", portName, 0, commonPath) : 0;

    RegistryKey portNames;
    OpenOrCreate(portNames, HKEY_LOCAL_MACHINE, kPortNameKey);
    portNames.SetDword(portName, number);
    portNames.Close();

    RegistryKey slots;
    OpenOrCreate(slots, HKEY_LOCAL_MACHINE, kPrinterPortKey);
    for (int slot = 1; slot <= 8; ++slot) {
        char name[4];
        FormatText(name, sizeof name, "D%d", slot);
        slots.SetDword(name, 0);
    }
}

bool RemoveUsbPortRecords(const char* portName, DWORD& error) {
    error = 0;
    // Both keys are cleaned every time: a value one of them has lost already counts as removed, and
    // does not keep the other's from going.
    for (const char* keyPath : {kPortNameKey, kPrinterPortKey}) {
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) {
            if (key.lastError != ERROR_FILE_NOT_FOUND && error == 0) error = key.lastError;
            continue;
        }
        if (!key.DeleteValue(portName) && key.lastError != ERROR_FILE_NOT_FOUND && error == 0)
            error = key.lastError;
    }
    return error == 0;
}

std::vector<std::string> RecordedUsbPorts() {
    std::vector<std::string> ports;
    for (const char* keyPath : {kPortNameKey, kPrinterPortKey}) {
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) continue;
        char name[MAX_PATH];
        DWORD length = sizeof name;
        DWORD type = 0;
        for (DWORD index = 0; key.EnumValue(index, name, length = sizeof name, type) == ERROR_SUCCESS;
             ++index) {
            if (strncmp(name, "USB_", 4) != 0) continue;
            bool known = false;
            for (const std::string& port : ports) known = known || lstrcmpiA(port.c_str(), name) == 0;
            if (!known) ports.push_back(name);
        }
    }
    return ports;
}

DetectedSystem RecognizeSystem(DWORD platformId, DWORD major, DWORD minor) {
    const DetectedSystem notRecognised = {Windows98Me, SystemRecognition::NotRecognised};
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        return minor > 0 ? DetectedSystem{Windows98Me, SystemRecognition::Recognised} : notRecognised;
    }
    if (platformId != VER_PLATFORM_WIN32_NT) return {Windows98Me, SystemRecognition::Unsupported};
    const struct {
        DWORD major, minor;
        TargetSystem system;
    } kVersions[] = {
        {4, 0, WindowsNT4},        {5, 0, Windows2000},  {5, 1, WindowsXP},
        {5, 2, WindowsServer2003}, {6, 0, WindowsVista},
    };
    for (const auto& version : kVersions) {
        if (version.major == major && version.minor == minor) {
            return {version.system, SystemRecognition::Recognised};
        }
    }
    return notRecognised;
}

DetectedSystem DetectSystem() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return {Windows98Me, SystemRecognition::NotRecognised};
    DetectedSystem detected =
        RecognizeSystem(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    if (detected.system == WindowsVista) RecordCompatibility();
    if (detected.recognition == SystemRecognition::Unsupported) {
        char text[200];
        LoadResourceText(IDS_UNSUPPORTED_SYSTEM, text);
        ShowWindowMessage(GetActiveWindow(), text);
    }
    return detected;
}
