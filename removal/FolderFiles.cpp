#include "removal/FolderFiles.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "config/ConfigValues.h"
#include "removal/ProgramEntry.h"
#include "removal/RestartDeletion.h"

const char kFolderRecordValue[] = "InstalledFiles";

namespace {
const char kBannerFile[] = "DRVCONFIG\\Left.bmp";
constexpr size_t kRecordSize = 2048;

bool Join(char (&path)[MAX_PATH], const char* directory, const std::string& name) {
    return CopyText(path, directory) && AppendText(path, "\\") && AppendText(path, name.c_str());
}

bool Listed(const std::vector<std::string>& files, const std::string& file) {
    for (const std::string& each : files) {
        if (lstrcmpiA(each.c_str(), file.c_str()) == 0) return true;
    }
    return false;
}

// A name of the record that stays inside the folder: relative, without a drive or a step upwards.
bool InsideFolder(const std::string& file) {
    return !file.empty() && file[0] != '\\' && file.find(':') == std::string::npos &&
           file.find("..") == std::string::npos;
}

// Creates the folders a file's relative path passes through.
void CreateFoldersOf(const char* folder, const std::string& file) {
    CreateDirectoryA(folder, nullptr);
    for (size_t slash = file.find('\\'); slash != std::string::npos; slash = file.find('\\', slash + 1)) {
        char path[MAX_PATH];
        if (Join(path, folder, file.substr(0, slash))) CreateDirectoryA(path, nullptr);
    }
}

// A copy from a CD keeps the CD's read-only attribute: the next registration could not replace it.
void MakeWritable(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool MediumDirectory(char (&medium)[MAX_PATH]) {
    char directory[kConfigPathSize];
    if (!GetProgramDirectory(directory) || !CopyText(medium, directory)) return false;
    size_t length = strlen(medium);
    if (length > 0 && medium[length - 1] == '\\') medium[length - 1] = '\0';
    return true;
}

// The earlier registration's files the medium no longer has go: they were this product's.
void DeleteStale(const char* folder, const std::vector<std::string>& previous,
                 const std::vector<std::string>& copied) {
    for (const std::string& file : previous) {
        char path[MAX_PATH];
        DWORD error = 0;
        if (!Listed(copied, file) && InsideFolder(file) && Join(path, folder, file))
            DeleteNowOrAtRestart(path, error);
    }
}
}  // namespace

std::vector<std::string> MediumFolderFiles() {
    std::vector<std::string> files = {kRemovalWindowFile, kDeployProgramFile};
    char directory[kConfigPathSize];
    GetProgramDirectory(directory);
    size_t prefix = strlen(directory);
    for (int category = -1; category <= Embedded; ++category) {
        char commonPath[kConfigPathSize];
        char categoryPath[kConfigPathSize];
        BuildConfigPaths(category, commonPath, categoryPath);
        const char* path = category < 0 ? commonPath : categoryPath;
        if (strlen(path) > prefix) files.push_back(path + prefix);
    }
    files.push_back(kBannerFile);
    return files;
}

bool ReadFolderRecord(RegistryKey& entry, std::vector<std::string>& files) {
    files.clear();
    char text[kRecordSize] = {};
    if (!entry.QueryString(kFolderRecordValue, text, sizeof text)) return false;
    std::string record(text);
    for (size_t start = 0; start < record.size();) {
        size_t end = record.find(';', start);
        if (end == std::string::npos) end = record.size();
        std::string file = record.substr(start, end - start);
        if (InsideFolder(file)) files.push_back(file);
        start = end + 1;
    }
    return true;
}

bool WriteFolderRecord(RegistryKey& entry, const std::vector<std::string>& files, DWORD& error) {
    std::string record;
    for (const std::string& file : files) record += (record.empty() ? "" : ";") + file;
    return entry.SetString(kFolderRecordValue, record.c_str(), &error);
}

bool CopyMediumFiles(const char* folder, const std::vector<std::string>& previous,
                     std::vector<std::string>& copied, DWORD& error, std::string& step) {
    copied.clear();
    char medium[MAX_PATH] = {};
    if (!MediumDirectory(medium)) {
        error = ERROR_FILENAME_EXCED_RANGE;
        step = "medium";
        return false;
    }
    std::vector<std::string> files = MediumFolderFiles();
    // A program started from the folder itself finds everything in place: the record stays as it was.
    if (lstrcmpiA(medium, folder) == 0) {
        for (const std::string& file : files) {
            char path[MAX_PATH];
            if (Listed(previous, file) ||
                (Join(path, folder, file) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES))
                copied.push_back(file);
        }
        return true;
    }
    for (size_t index = 0; index < files.size(); ++index) {
        char source[MAX_PATH];
        char target[MAX_PATH];
        step = files[index];
        if (!Join(source, medium, files[index]) || !Join(target, folder, files[index])) {
            error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        // A configuration file the medium lacks is lacking in the folder too; the programs are needed.
        if (index >= 2 && GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES) continue;
        CreateFoldersOf(folder, files[index]);
        MakeWritable(target);
        if (!CopyFileA(source, target, FALSE)) {
            error = GetLastError();
            return false;
        }
        MakeWritable(target);
        // Windows 98/Me: a removal before this registration may have left the file to go at restart.
        CancelDeletionAtRestart(target);
        copied.push_back(files[index]);
    }
    step.clear();
    DeleteStale(folder, previous, copied);
    return true;
}
