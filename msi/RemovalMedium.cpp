#include "msi/RemovalMedium.h"

#include <msiquery.h>

#include <cstdlib>
#include <vector>

#include "common/WholeFile.h"

namespace {
const char kConfigFolder[] = "DRVCONFIG";
constexpr size_t kLargestFile = 16 * 1024 * 1024;

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

// A bare file name of plain characters, not only dots.
bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name.find_first_not_of('.') == std::string::npos) return false;
    for (char c : name) {
        if (!IsNameCharacter(c)) return false;
    }
    return true;
}

bool IsCarriedName(const std::string& name) {
    std::string prefix = std::string(kConfigFolder) + "\\";
    if (name.compare(0, prefix.size(), prefix) == 0) return IsPlainFileName(name.substr(prefix.size()));
    return IsPlainFileName(name);
}

bool ReadLine(const std::string& packed, size_t& at, std::string& line) {
    size_t end = packed.find('\n', at);
    if (end == std::string::npos) return false;
    line = packed.substr(at, end - at);
    at = end + 1;
    return true;
}

bool ReadBinary(MSIHANDLE install, std::string& packed) {
    MSIHANDLE database = MsiGetActiveDatabase(install);
    MSIHANDLE view = 0;
    MSIHANDLE record = 0;
    bool read =
        database != 0 &&
        MsiDatabaseOpenViewA(database, "SELECT `Data` FROM `Binary` WHERE `Name` = 'QelvanRemovalMedium'",
                             &view) == ERROR_SUCCESS &&
        MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS;
    DWORD size = read ? MsiRecordDataSize(record, 1) : 0;
    packed.assign(size, '\0');
    read = read && size > 0 && MsiRecordReadStream(record, 1, &packed[0], &size) == ERROR_SUCCESS;
    packed.resize(read ? size : 0);
    if (record != 0) MsiCloseHandle(record);
    if (view != 0) MsiCloseHandle(view);
    if (database != 0) MsiCloseHandle(database);
    return read;
}

std::string NewFolder() {
    char temp[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) return std::string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string folder = std::string(temp) + "QelvanRemoval-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
    return std::string();
}
}  // namespace

bool UnpackFiles(const std::string& packed, std::vector<PackedFile>& files) {
    files.clear();
    size_t at = 0;
    while (at < packed.size()) {
        PackedFile file;
        std::string size;
        if (!ReadLine(packed, at, file.name) || !ReadLine(packed, at, size) || !IsCarriedName(file.name) ||
            size.empty() || size.find_first_not_of("0123456789") != std::string::npos || size.size() > 9)
            return false;
        size_t bytes = static_cast<size_t>(strtoul(size.c_str(), nullptr, 10));
        if (bytes > kLargestFile || bytes > packed.size() - at) return false;
        file.bytes = packed.substr(at, bytes);
        at += bytes;
        files.push_back(file);
    }
    return !files.empty();
}

bool UnpackRemovalMedium(MSIHANDLE install, std::string& folder) {
    std::string packed;
    std::vector<PackedFile> files;
    if (!ReadBinary(install, packed) || !UnpackFiles(packed, files)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    folder = NewFolder();
    if (folder.empty()) return false;
    CreateDirectoryA((folder + "\\" + kConfigFolder).c_str(), nullptr);
    for (const PackedFile& file : files) {
        if (WriteNewFile(folder + "\\" + file.name, file.bytes)) continue;
        return false;
    }
    return true;
}
