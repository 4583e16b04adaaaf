#include "removal/RestartDeletion.h"

#include <cstring>
#include <string>

#include "common/BoundedText.h"
#include "removal/FileMoveApi.h"
#include "removal/PendingRenames.h"
#include "removal/WininitRenames.h"

namespace {
bool ShortPath(const char* path, char (&shortPath)[MAX_PATH], DWORD& error) {
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath) return true;
    error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    return false;
}

// Adds "NUL=path" to WININIT.INI's [rename] section. The section may hold the key many times, so the
// line is inserted, not written through the profile functions, which would replace an earlier one.
bool DeleteAtRestartThroughWininit(const char* path, DWORD& error) {
    char shortPath[MAX_PATH] = {};
    return ShortPath(path, shortPath, error) && AddWininitDeletion(shortPath, error);
}

// Moves the file to a unique name in its folder (the same volume, so the move is a rename) and
// schedules that name: what comes to stand under the old name before the restart stays. A name the
// system refuses to schedule goes back to its own name, so that no file is left under a temporary one.
// False with error left 0 when the file could not be moved aside at all.
bool MoveAsideAndSchedule(const char* path, DWORD& error, std::string& scheduled) {
    char folder[MAX_PATH] = {};
    char aside[MAX_PATH] = {};
    if (!CopyText(folder, path)) return false;
    char* slash = strrchr(folder, '\\');
    if (slash == nullptr) return false;
    *slash = '\0';
    // GetTempFileNameA creates the empty file that makes its name unique; the move replaces it.
    if (GetTempFileNameA(folder, "qdl", 0, aside) == 0) return false;
    if (!FileMoves().moveFileEx(path, aside, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(aside);
        return false;
    }
    if (FileMoves().moveFileEx(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        scheduled = aside;
        return true;
    }
    error = GetLastError();
    FileMoves().moveFileEx(aside, path, 0);
    return false;
}
}  // namespace

bool OnNtFamily() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

Deletion DeleteNowOrAtRestart(const char* path, DWORD& error, std::string* scheduled) {
    std::string pending = path;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(path)) return Deletion::Deleted;
    DWORD refusal = GetLastError();
    if (refusal == ERROR_FILE_NOT_FOUND || refusal == ERROR_PATH_NOT_FOUND) return Deletion::Deleted;
    bool done = false;
    error = 0;
    if (!OnNtFamily()) {
        done = DeleteAtRestartThroughWininit(path, error);
    } else if (MoveAsideAndSchedule(path, error, pending)) {
        done = true;
    } else if (error == 0) {
        // The file could not be moved: it is scheduled under its own name, which a registration
        // before the restart then shares.
        done = FileMoves().moveFileEx(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        if (!done) error = GetLastError();
    }
    if (done && scheduled != nullptr) *scheduled = pending;
    return done ? Deletion::AtRestart : Deletion::Failed;
}

bool DeleteAtNextStartOfWindows98(const char* path, DWORD& error) {
    return DeleteAtRestartThroughWininit(path, error);
}

bool CancelDeletionAtRestart(const char* path, DWORD* error) {
    DWORD wininitError = 0, pendingError = 0;
    char shortPath[MAX_PATH] = {};
    // Both lists are looked at: a till's WININIT.INI may hold lines of a Windows 98/Me run too. A file
    // without a short name is no longer there: no line of WININIT.INI can name it.
    bool wininitClear =
        !ShortPath(path, shortPath, wininitError) || RemoveWininitDeletion(shortPath, wininitError);
    bool pendingClear = !OnNtFamily() || RemovePendingDeletion(path, pendingError);
    if (error != nullptr) *error = !wininitClear ? wininitError : pendingError;
    return wininitClear && pendingClear;
}
