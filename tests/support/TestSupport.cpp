#include "tests/support/TestSupport.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string WinePath(const std::string& unixPath) {
    if (unixPath.empty() || unixPath[0] != '/') return unixPath;
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

static std::string FromEnvironment(const char* name) {
    const char* value = getenv(name);
    return value ? WinePath(value) : std::string();
}

std::string MediumDir() {
    return FromEnvironment("QELVAN_MEDIUM_DIR");
}
std::string TestDir() {
    return FromEnvironment("QELVAN_TEST_DIR");
}
std::string SourceDir() {
    return FromEnvironment("QELVAN_SOURCE_DIR");
}

std::string ExeDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

static void MakeParents(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    MakeParents(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    MakeParents(to);
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

void RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::string SystemDirectoryPath() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string WindowsDirectoryPath() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link (a test plants them) is taken away itself, never followed: under Wine one may
                // lead through the prefix to the machine's own folders.
                if (!RemoveDirectoryA(child.c_str())) RemoveFile(child);
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                RemoveFile(child);
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string MakeDeepDirectory(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() + 1 < length) {
        // Folders of 40 characters; the last takes the rest, never leaving a single one over.
        size_t left = length - path.size();
        path += "\\" + std::string(left > 42 ? 40 : left - 1, 'd');
        if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
    return path.size() == length ? path : "";
}

TempDir::TempDir(const char* tag) {
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    for (;;) {
        char name[MAX_PATH];
        wsprintfA(name, "%s%s-%lu-%d", base, tag, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            break;
        }
    }
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& dir) {
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof saved, saved);
    saved_ = saved;
    SetCurrentDirectoryA(dir.c_str());
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
    SetCurrentDirectoryA(saved_.c_str());
}

std::string RunAndCapture(const std::string& commandLine, DWORD& exitCode, const std::string& dir,
                          DWORD timeoutMs) {
    exitCode = STILL_ACTIVE;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::string();
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string command = commandLine;
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  dir.empty() ? nullptr : dir.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        DWORD start = GetTickCount();
        for (;;) {
            DWORD available = 0;
            if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;  // writer gone
            if (available > 0 && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
                output.append(buffer, got);
                continue;
            }
            if (GetTickCount() - start > timeoutMs) {
                TerminateProcess(process.hProcess, 1);
                break;
            }
            Sleep(10);
        }
        WaitForSingleObject(process.hProcess, 5000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return output;
}

void SetWindowsVersionFor(const std::string& exeName, const std::string& version) {
    std::string path = "Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (version.empty()) {
        RegDeleteValueA(key, "Version");
    } else {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>(version.size() + 1));
    }
    RegCloseKey(key);
}
