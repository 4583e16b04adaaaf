#include "config/ConfigValues.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "common/BoundedText.h"

namespace {
// The category files as they are named beside the program, indexed by PrinterCategory.
const char* const kCategoryFileNames[4] = {
    "DRVCONFIG\\setup_receipt.ini",
    "DRVCONFIG\\setup_Ticket.ini",
    "DRVCONFIG\\setup_Lable.ini",
    "DRVCONFIG\\setup_Embedded.ini",
};
const char* const kSystemSuffixes[6] = {"98", "NT", "2K", "XP", "2003", "Vista"};
}  // namespace

int DecimalValue(const char* text) {
    if (text == nullptr) return 0;
    long value = strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

namespace {
char mediumDirectory[kConfigPathSize] = {};
}  // namespace

bool UseMediumDirectory(const char* directory) {
    char path[kConfigPathSize] = {};
    bool fits = CopyText(path, directory);
    size_t length = strlen(path);
    if (fits && length > 0 && path[length - 1] != '\\') fits = AppendText(path, "\\");
    if (!fits) return false;
    CopyText(mediumDirectory, path);
    return true;
}

bool GetProgramDirectory(char (&directory)[kConfigPathSize]) {
    directory[0] = '\0';
    if (mediumDirectory[0] != '\0') return CopyText(directory, mediumDirectory);
    char path[kConfigPathSize] = {};
    // One byte is kept back: some systems answer a cut path with the buffer's size, others with one
    // less, and a cut path names another directory.
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path - 1);
    if (length == 0 || length + 1 >= sizeof path - 1) return false;
    path[length] = '\0';
    const char* lastBackslash = strrchr(path, '\\');
    if (lastBackslash == nullptr) return true;
    path[lastBackslash - path + 1] = '\0';
    return CopyText(directory, path);
}

void BuildConfigPaths(int category, char (&commonPath)[kConfigPathSize],
                      char (&categoryPath)[kConfigPathSize]) {
    categoryPath[0] = '\0';
    if (!GetProgramDirectory(commonPath)) return;
    CopyText(categoryPath, commonPath);
    if (!AppendText(commonPath, "DRVCONFIG\\setup.ini")) commonPath[0] = '\0';
    const char* categoryFile = CategoryFileRelative(category);
    if (categoryFile != nullptr && !AppendText(categoryPath, categoryFile)) categoryPath[0] = '\0';
}

void BuildCategoryIniPath(int category, char (&path)[kConfigPathSize]) {
    char commonPath[kConfigPathSize];
    BuildConfigPaths(category, commonPath, path);
}

const char* CategoryFileRelative(int category) {
    if (category < Receipt || category > Embedded) return nullptr;
    return kCategoryFileNames[category];
}

const char* SystemSuffix(int targetSystem) {
    if (targetSystem < Windows98Me || targetSystem > WindowsVista) return nullptr;
    return kSystemSuffixes[targetSystem];
}

void BuildPortSection(const char* modelName, char (&section)[200]) {
    FormatText(section, sizeof section, "%s.PORT", modelName ? modelName : "");
}

void BuildDescriptorSection(const char* modelName, int targetSystem, char (&section)[200]) {
    section[0] = '\0';
    const char* suffix = SystemSuffix(targetSystem);
    if (suffix != nullptr) FormatText(section, sizeof section, "%s.%s", modelName ? modelName : "", suffix);
}

int ReadSectionValue(const char* iniPath, const char* section, const char* key) {
    // A path that did not fit was left empty; the profile functions would read the system's own
    // profile for it.
    if (iniPath == nullptr || iniPath[0] == '\0') return 0;
    char value[200] = {};
    GetPrivateProfileStringA(section, key, "0", value, sizeof value, iniPath);
    return DecimalValue(value);
}

int ReadPortSectionValue(const char* iniPath, const char* modelName, const char* key) {
    char section[200];
    BuildPortSection(modelName, section);
    return ReadSectionValue(iniPath, section, key);
}
