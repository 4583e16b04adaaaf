#include "config/MediumPaths.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"
#include "config/SetupConfig.h"
#include "common/ResourceText.h"
#include "resources/ResourceIds.h"

namespace {
// What the wizard, its companions and the engine open below the medium directory besides the category
// files: the common file, the banner, the licence, the USB kernel driver, the manual, and a driver file
// with an 8.3 name in the system folder with the longest name. A longer driver file name is the
// configuration's own: the engine's copy refuses a source path that does not fit.
const char* const kMediumNames[] = {
    "DRVCONFIG\\setup.ini", "DRVCONFIG\\Left.bmp", "License.txt",
    "USBDRV\\bulkusb.sys",  "Guide.CHM",           "win2003\\FILENAME.EXT",
};

bool NameFits(const char* directory, const char* name) {
    char path[kConfigPathSize];
    if (!CopyText(path, directory)) return false;
    size_t length = strlen(path);
    if (length > 0 && path[length - 1] != '\\' && !AppendText(path, "\\")) return false;
    return AppendText(path, name);
}

void Refuse(MediumRefusal& refusal, const char* directory, bool whole) {
    // Named as the user writes a folder: without its closing backslash, unless it is a drive's root.
    char named[kMediumRefusalSize];
    CopyText(named, directory);
    size_t length = strlen(named);
    if (whole && length > 3 && named[length - 1] == '\\') named[length - 1] = '\0';
    FormatResourceText(refusal, whole ? IDS_MEDIUM_PATH_TOO_LONG : IDS_MEDIUM_PATH_TOO_LONG_CUT, named,
                       MAX_PATH - 1);
}

// The module's path as far as it can be read, for the text only.
void ProgramPathAsRead(char (&path)[kConfigPathSize]) {
    path[0] = '\0';
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path - 1);
    path[length < sizeof path ? length : sizeof path - 1] = '\0';
}
}  // namespace

bool MediumDirectoryFits(const char* directory) {
    if (directory == nullptr || directory[0] == '\0') return false;
    for (int category = Receipt; category <= Embedded; ++category) {
        if (!NameFits(directory, CategoryFileRelative(category))) return false;
    }
    for (const char* name : kMediumNames) {
        if (!NameFits(directory, name)) return false;
    }
    return true;
}

bool MediumPathsFit(MediumRefusal& refusal) {
    refusal[0] = '\0';
    char program[kConfigPathSize];
    if (!GetProgramDirectory(program)) {
        ProgramPathAsRead(program);
        Refuse(refusal, program, false);
        return false;
    }
    if (!MediumDirectoryFits(program)) {
        Refuse(refusal, program, true);
        return false;
    }
    char working[kConfigPathSize];
    DWORD length = GetCurrentDirectoryA(sizeof working, working);
    if (length > 0 && length < sizeof working) {
        if (MediumDirectoryFits(working)) return true;
        Refuse(refusal, working, true);
        return false;
    }
    // Too long for the buffer: read whole for the text.
    std::vector<char> whole(length > 0 ? length + 1 : 1, '\0');
    if (length > 0) GetCurrentDirectoryA(static_cast<DWORD>(whole.size()), whole.data());
    Refuse(refusal, whole.data(), true);
    return false;
}
