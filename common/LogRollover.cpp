#include "common/LogRollover.h"

#include <string>
#include <vector>

#include "common/FileLinks.h"
#include "common/FileNames.h"

namespace {
constexpr DWORD kCopyChunk = 64 * 1024;

bool SizePast(HANDLE log, DWORD limit) {
    DWORD high = 0;
    // A file of 4 GiB - 1 bytes (or that plus a multiple of 4 GiB) answers INVALID_FILE_SIZE as well.
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(log, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    return PastLimit(low, high, limit);
}

bool CopyRest(HANDLE from, HANDLE to) {
    std::vector<char> chunk(kCopyChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, chunk.data(), kCopyChunk, &read, nullptr)) return false;
        if (read == 0) return true;
        DWORD written = 0;
        if (!WriteFile(to, chunk.data(), read, &written, nullptr) || written != read) return false;
    }
}

// The whole log, from its start, into copy (a file GetTempFileName has just made).
bool CopyLog(HANDLE log, const char* copy) {
    HANDLE to = CreateFileA(copy, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (to == INVALID_HANDLE_VALUE) return false;
    bool copied = SetFilePointer(log, 0, nullptr, FILE_BEGIN) == 0 && CopyRest(log, to);
    return CloseHandle(to) && copied;
}

// A rename replaces the name in oldPath's place, never what a link there points to. Windows 98/Me lack
// MoveFileEx (a stub that fails with ERROR_CALL_NOT_IMPLEMENTED): there the older generation is deleted
// first, on systems without links.
bool PutInPlace(const char* copy, const char* oldPath) {
    if (MoveFileExA(copy, oldPath, MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    DeleteFileA(oldPath);
    return MoveFileA(copy, oldPath) != FALSE;
}

bool CopyToOld(HANDLE log, const char* oldPath) {
    char copy[MAX_PATH] = {};
    if (GetTempFileNameA(FolderOf(oldPath).c_str(), "qlv", 0, copy) == 0) return false;
    if (CopyLog(log, copy) && PutInPlace(copy, oldPath)) return true;
    DeleteFileA(copy);
    return false;
}
}  // namespace

bool PastLimit(DWORD sizeLow, DWORD sizeHigh, DWORD limit) {
    return sizeHigh != 0 || sizeLow > limit;
}

bool RollOverPastLimit(HANDLE log, DWORD limit, const char* oldPath) {
    if (!SizePast(log, limit)) return true;
    if (IsReparsePoint(oldPath) || !CopyToOld(log, oldPath)) return false;
    return SetFilePointer(log, 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(log);
}
