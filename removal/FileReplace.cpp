#include "removal/FileReplace.h"

#include "common/BoundedText.h"

std::string FileBeside(const char* target) {
    // Stepped through by character: a second byte of code page 936 may be a backslash.
    const char* name = target;
    for (const char* at = target; *at != '\0'; at = CharNextA(at)) {
        if (*at == '\\' || *at == '/') name = at + 1;
    }
    char folder[MAX_PATH];
    char beside[MAX_PATH] = {};
    std::string prefix(target, name - target);
    if (!CopyText(folder, name == target ? "." : prefix.c_str())) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return "";
    }
    return GetTempFileNameA(folder, "qlv", 0, beside) != 0 ? beside : "";
}

namespace {
// Windows 98/Me: the old file goes aside under a name of its own until the new one is in place.
bool ReplaceByRenames(const char* written, const char* target) {
    if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return FileMoves().moveFile(written, target);
    std::string aside = FileBeside(target);
    // Only the name was wanted: a move does not replace a file.
    if (aside.empty() || !DeleteFileA(aside.c_str())) return false;
    if (!FileMoves().moveFile(target, aside.c_str())) return false;
    if (!FileMoves().moveFile(written, target)) {
        DWORD error = GetLastError();
        // Should the old file not go back, it stays aside rather than be lost.
        FileMoves().moveFile(aside.c_str(), target);
        SetLastError(error);
        return false;
    }
    DeleteFileA(aside.c_str());
    return true;
}
}  // namespace

bool ReplaceWithWritten(const char* written, const char* target, bool hasReplace, DWORD& error) {
    bool done = hasReplace ? FileMoves().moveFileEx(written, target, MOVEFILE_REPLACE_EXISTING) != FALSE
                           : ReplaceByRenames(written, target);
    if (done) return true;
    error = GetLastError();
    DeleteFileA(written);
    return false;
}
