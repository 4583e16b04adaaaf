#include "removal/RemovalCopy.h"

#include <windows.h>

#include <cctype>
#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "removal/CompanionPrograms.h"
#include "removal/ProgramEntry.h"

namespace {
const char kRemovalCopyValue[] = "RemovalCopy";
// The copy's folder: this prefix and eight hexadecimal digits, created new for each removal.
const char kCopyFolderPrefix[] = "QelvanRemoval";
constexpr size_t kCopyFolderDigits = 8;
constexpr int kFolderAttempts = 100;

std::string TemporaryFolder() {
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    return length > 0 && length < sizeof temporary ? temporary : "";
}

bool AllHexDigits(const std::string& text) {
    for (char each : text) {
        if (!isxdigit(static_cast<unsigned char>(each))) return false;
    }
    return true;
}
}  // namespace

bool MakeRemovalCopyFolder(std::string& folder) {
    std::string temporary = TemporaryFolder();
    if (temporary.empty()) return false;
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
        char path[MAX_PATH];
        if (!FormatText(path, sizeof path, "%s%s%08lX", temporary.c_str(), kCopyFolderPrefix,
                        static_cast<unsigned long>(seed + attempt)))
            return false;
        if (CreateDirectoryA(path, nullptr)) {
            folder = path;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

bool IsInRemovalCopyFolder(const std::string& path) {
    std::string temporary = TemporaryFolder();
    std::string prefix = temporary + kCopyFolderPrefix;
    std::string file = std::string("\\") + kRemovalWindowFile;
    size_t expected = prefix.size() + kCopyFolderDigits + file.size();
    if (temporary.empty() || path.size() != expected) return false;
    return lstrcmpiA(path.substr(0, prefix.size()).c_str(), prefix.c_str()) == 0 &&
           AllHexDigits(path.substr(prefix.size(), kCopyFolderDigits)) &&
           lstrcmpiA(path.substr(expected - file.size()).c_str(), file.c_str()) == 0;
}

bool RecordRemovalCopy(const char* path) {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, keyPath) && key.SetString(kRemovalCopyValue, path);
}

bool TakeRemovalCopyRecord(const char* path) {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    char recorded[MAX_PATH] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath) ||
        !key.QueryString(kRemovalCopyValue, recorded, sizeof recorded) || lstrcmpiA(recorded, path) != 0)
        return false;
    key.DeleteValue(kRemovalCopyValue);
    return IsInRemovalCopyFolder(path);
}
