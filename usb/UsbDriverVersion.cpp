#include "usb/UsbDriverVersion.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"

namespace {
const char kNoVersion[] = "0.0.0.0";
const size_t kVersionTextSize = 50;
const size_t kPathSize = MAX_PATH;
const size_t kWindowsDirectorySize = 200;
// The version digits compared: one per part of a version written as four one-digit parts.
const size_t kVersionDigitCount = 4;

// The FileVersion text inside a version block, or null when the block has none.
const char* FindFileVersion(const void* block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
        length < 2 * sizeof(WORD)) {
        return nullptr;
    }
    const WORD* translation = static_cast<const WORD*>(value);
    char subBlock[64];
    FormatText(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
               translation[1]);
    char* text = nullptr;
    length = 0;
    if (!VerQueryValueA(block, subBlock, reinterpret_cast<void**>(&text), &length) || text == nullptr) {
        return nullptr;
    }
    return text;
}

// The medium's driver: the program directory followed by USBDRV\bulkusb.sys. Empty when the program
// directory cannot be read whole or the path does not fit, which reads as a missing file.
void MediumDriverPath(char (&path)[kPathSize]) {
    char directory[kConfigPathSize];
    if (!GetProgramDirectory(directory) || !CopyText(path, directory) ||
        !AppendText(path, "USBDRV\\bulkusb.sys")) {
        path[0] = '\0';
    }
}

// The installed driver: the Windows directory followed by \system32\drivers\bulkusb.sys. Empty when
// the Windows directory cannot be had.
void InstalledDriverPath(char (&path)[kPathSize]) {
    path[0] = '\0';
    char directory[kWindowsDirectorySize] = {};
    UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory) return;
    if (!CopyText(path, directory) || !AppendText(path, "\\system32\\drivers\\bulkusb.sys")) path[0] = '\0';
}

// The characters at positions 0, 2, 4 and 6 of a version text, as a number: 1.0.0.5 gives 1005.
int VersionNumber(const char* text) {
    char digits[kVersionDigitCount + 1] = {};
    size_t count = 0;
    for (size_t at = 0; count < kVersionDigitCount && text[at] != '\0'; at += 2) {
        digits[count++] = text[at];
        if (text[at + 1] == '\0') break;
    }
    return DecimalValue(digits);
}
}  // namespace

void GetFileVersionString(const char* path, char* version, size_t capacity) {
    CopyText(version, capacity, kNoVersion);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return;
    const char* text = FindFileVersion(block.data());
    // The text lies inside the block; bound the copy by the block's end as well as by the buffer.
    const char* blockEnd = block.data() + block.size();
    if (text == nullptr || text < block.data() || text >= blockEnd || text[0] == '\0') return;
    size_t length = strnlen(text, static_cast<size_t>(blockEnd - text));
    FormatText(version, capacity, "%.*s", static_cast<int>(length), text);
}

int CheckUsbDriverVersion() {
    char mediumPath[kPathSize];
    char installedPath[kPathSize];
    MediumDriverPath(mediumPath);
    InstalledDriverPath(installedPath);
    char newText[kVersionTextSize];
    char oldText[kVersionTextSize];
    GetFileVersionString(mediumPath, newText);
    GetFileVersionString(installedPath, oldText);
    if (strcmp(newText, oldText) == 0) return UsbDriverCurrent;
    int newNumber = VersionNumber(newText);
    int oldNumber = VersionNumber(oldText);
    if (oldNumber == 0) return UsbDriverMissing;
    if (newNumber > oldNumber) return UsbDriverOutdated;
    return UsbDriverCurrent;
}
