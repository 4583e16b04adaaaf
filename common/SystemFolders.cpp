#include "common/SystemFolders.h"

#include <windows.h>

namespace {
std::string Trimmed(const char* folder, UINT length, UINT capacity) {
    if (length == 0 || length >= capacity) return std::string();
    std::string path(folder, length);
    // A drive's root comes with its backslash ("C:\"); no other folder does.
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}
}  // namespace

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    return Trimmed(folder, GetSystemDirectoryA(folder, sizeof folder), sizeof folder);
}

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    return Trimmed(folder, GetWindowsDirectoryA(folder, sizeof folder), sizeof folder);
}
