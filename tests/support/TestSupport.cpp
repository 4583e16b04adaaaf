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

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
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
