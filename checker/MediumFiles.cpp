#include "checker/MediumFiles.h"

#include <windows.h>

#include <cstring>

#include "checker/CheckerTextIds.h"
#include "common/BoundedText.h"
#include "config/ConfigValues.h"
#include "engine/DriverFileCopy.h"

const char kCommonFileName[] = "DRVCONFIG\\setup.ini";

void CategoryFileName(int category, char (&name)[kMediumPathSize]) {
    // The wizard's own name, so the report spells the file as the wizard does.
    const char* file = CategoryFileRelative(category);
    CopyText(name, file != nullptr ? file : "");
}

void MediumPath(const char* relative, char (&path)[kMediumPathSize]) {
    // A path that does not fit stays empty: it names no file of the medium.
    DWORD length = GetCurrentDirectoryA(sizeof path, path);
    if (length == 0 || length >= sizeof path || !AppendText(path, "\\") || !AppendText(path, relative))
        path[0] = '\0';
}

static bool RegularFileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MediumFileExists(const char* relative) {
    char path[kMediumPathSize];
    MediumPath(relative, path);
    return RegularFileExists(path);
}

bool SystemFileExists(int targetSystem, const char* name) {
    if (FileNameFault(name) != 0) return false;
    char path[kMediumPathSize] = {};
    DWORD length = GetCurrentDirectoryA(sizeof path, path);
    bool fits = length != 0 && length < sizeof path && AppendText(path, SourceSubdirectory(targetSystem)) &&
                AppendText(path, name);
    return fits && RegularFileExists(path);
}

void SystemDirectoryName(int targetSystem, char (&name)[16]) {
    const char* subdirectory = SourceSubdirectory(targetSystem);
    name[0] = '\0';
    if (subdirectory[0] == '\0') return;
    CopyText(name, subdirectory + 1);
    size_t length = strlen(name);
    if (length > 0 && name[length - 1] == '\\') name[length - 1] = '\0';
}

bool SectionExists(const char* relativeFile, const char* section) {
    char path[kMediumPathSize];
    MediumPath(relativeFile, path);
    if (path[0] == '\0') return false;
    // With a null key name the profile function lists the section's keys; an absent section lists none.
    char keys[64];
    return GetPrivateProfileStringA(section, nullptr, "", keys, sizeof keys, path) > 0;
}

static bool IsDeviceName(const char* name) {
    // The system takes the part before the first dot as the device, whatever the extension.
    char base[8] = {};
    size_t length = strcspn(name, ".");
    if (length < 3 || length > 4) return false;
    memcpy(base, name, length);
    const char* const kDevices[] = {"CON", "NUL", "AUX", "PRN"};
    for (const char* device : kDevices) {
        if (_stricmp(base, device) == 0) return true;
    }
    bool numbered = _strnicmp(base, "COM", 3) == 0 || _strnicmp(base, "LPT", 3) == 0;
    return numbered && length == 4 && base[3] >= '1' && base[3] <= '9';
}

unsigned FileNameFault(const char* name) {
    if (!IsBareFileName(name)) return IDS_CHECKER_NOT_BARE_NAME;
    if (IsDeviceName(name)) return IDS_CHECKER_DEVICE_NAME;
    return 0;
}

bool NamesFile(const char* value) {
    return value != nullptr && value[0] != '\0' && value[0] != '0';
}
