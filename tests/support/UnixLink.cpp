#include "tests/support/UnixLink.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <vector>

std::string UnixPathOf(const std::string& windowsPath) {
    typedef char*(CDECL * UnixFileName)(const WCHAR*);
    UnixFileName unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (unixFileName == nullptr || length <= 0) return "";
    std::vector<WCHAR> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
    char* unixPath = unixFileName(wide.data());
    if (unixPath == nullptr) return "";
    std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return path;
}

namespace {
// Runs a Unix program through Wine and waits until path is there (or gone, when present is false).
bool RunUnixUntil(std::string command, const std::string& path, bool present) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    // The exit code Wine reports for a Unix program means nothing: the path's attributes tell.
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present) return true;
        Sleep(100);
    }
    return false;
}
}  // namespace

bool MakeUnixLink(const std::string& target, const std::string& link) {
    std::string from = UnixPathOf(target), to = UnixPathOf(link);
    if (from.empty() || to.empty()) return false;
    return RunUnixUntil("/bin/ln -s \"" + from + "\" \"" + to + "\"", link, true);
}

bool RemoveUnixLink(const std::string& link) {
    std::string path = UnixPathOf(link);
    return !path.empty() && RunUnixUntil("/bin/rm -f \"" + path + "\"", link, false);
}

bool IsUnixLink(const std::string& path) {
    std::string unixPath = UnixPathOf(path);
    char folder[MAX_PATH] = {};
    char answer[MAX_PATH] = {};
    if (unixPath.empty() || GetTempPathA(sizeof folder, folder) == 0 ||
        GetTempFileNameA(folder, "lnk", 0, answer) == 0)
        return false;
    // The answer is written aside and moved in whole, so that the test reads it only once it is there.
    DeleteFileA(answer);
    std::string to = UnixPathOf(answer);
    RunUnixUntil("/bin/sh -c \"if test -L '" + unixPath + "'; then echo link; else echo file; fi > '" + to +
                     ".new' && mv '" + to + ".new' '" + to + "'\"",
                 answer, true);
    std::stringstream said;
    said << std::ifstream(answer).rdbuf();
    DeleteFileA(answer);
    return said.str() == "link\n";
}

DWORD WINAPI AttributesWithUnixLinks(LPCSTR path) {
    DWORD attributes = GetFileAttributesA(path);
    if (!IsUnixLink(path)) return attributes;
    // A link whose target is missing still has attributes of its own on Windows.
    return (attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_ARCHIVE : attributes) |
           FILE_ATTRIBUTE_REPARSE_POINT;
}
