#include "msi/ProgramFolderCopy.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "common/HexText.h"
#include "common/WholeFile.h"
#include "removal/PackageEntry.h"

namespace {
const char kSavedFolder[] = "\\ProgramFolder";
const char kMarkerFile[] = "\\marker.txt";

bool IsLinkOrSelf(const WIN32_FIND_DATAA& found) {
    std::string name = found.cFileName;
    return name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Calls each(relative name, is a folder) for everything under folder, folders before their contents.
template <typename Each>
bool Walk(const std::string& folder, const std::string& relative, Each each) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + relative + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool done = true;
    do {
        if (IsLinkOrSelf(found)) continue;
        std::string name = relative + "\\" + found.cFileName;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        done = each(name, isFolder) && done;
        if (isFolder) done = Walk(folder, name, each) && done;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return done;
}

void SaveMarker(const std::string& saved) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPackageMarkerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::string lines;
    char name[256];
    std::vector<BYTE> data(1 << 20);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name, size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        lines += HexText(std::string(name, nameLength)) + " " + std::to_string(type) + " " +
                 HexText(std::string(reinterpret_cast<char*>(data.data()), size)) + "\n";
    }
    RegCloseKey(key);
    WriteWholeFile(saved + kMarkerFile, lines);
}

void RestoreMarker(const std::string& saved) {
    std::string lines;
    if (!ReadWholeFile(saved + kMarkerFile, lines, 16UL * 1024 * 1024)) return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPackageMarkerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    for (size_t start = 0; start < lines.size();) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        std::string line = lines.substr(start, end - start);
        start = end + 1;
        size_t first = line.find(' ');
        size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        std::string name, data;
        if (second == std::string::npos || !TextOfHex(line.substr(0, first), name) ||
            !TextOfHex(line.substr(second + 1), data))
            continue;
        DWORD type =
            static_cast<DWORD>(strtoul(line.substr(first + 1, second - first - 1).c_str(), nullptr, 10));
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    }
    RegCloseKey(key);
}
}  // namespace

bool SaveProgramFolder(const std::string& folder, const std::string& saved) {
    SaveMarker(saved);
    std::string into = saved + kSavedFolder;
    if (!CreateDirectoryA(into.c_str(), nullptr)) return false;
    return Walk(folder, "", [&](const std::string& name, bool isFolder) {
        if (isFolder) return CreateDirectoryA((into + name).c_str(), nullptr) != FALSE;
        return CopyFileA((folder + name).c_str(), (into + name).c_str(), FALSE) != FALSE;
    });
}

void RestoreProgramFolder(const std::string& saved, const std::string& folder) {
    std::string from = saved + kSavedFolder;
    DWORD attributes = GetFileAttributesA(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    Walk(from, "", [&](const std::string& name, bool isFolder) {
        std::string target = folder + name;
        if (isFolder) {
            CreateDirectoryA(target.c_str(), nullptr);
            return true;
        }
        DWORD there = GetFileAttributesA(target.c_str());
        // What stands there now and is no plain file (a link, a folder) is not written through.
        if (there != INVALID_FILE_ATTRIBUTES &&
            ((there & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
             SameFileBytes(from + name, target)))
            return true;
        return CopyFileA((from + name).c_str(), target.c_str(), FALSE) != FALSE;
    });
    RestoreMarker(saved);
}

void RemoveRunFolder(const std::string& folder) {
    if (folder.empty()) return;
    std::vector<std::string> folders;
    Walk(folder, "", [&](const std::string& name, bool isFolder) {
        if (isFolder)
            folders.push_back(folder + name);
        else
            DeleteFileA((folder + name).c_str());
        return true;
    });
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryA(it->c_str());
    RemoveDirectoryA(folder.c_str());
}
