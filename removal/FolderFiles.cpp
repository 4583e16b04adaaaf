#include "removal/FolderFiles.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"
#include "removal/CompanionPrograms.h"
#include "removal/FileReplace.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
const char kBannerFile[] = "DRVCONFIG\\Left.bmp";
const char kUsbLibraryFile[] = "TvUsbInt.dll";
const char kUsbSettingsFile[] = "TvUsbInt.ini";

bool Join(char (&path)[MAX_PATH], const char* directory, const std::string& name) {
    return CopyText(path, directory) && AppendText(path, "\\") && AppendText(path, name.c_str());
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

bool Refuse(DWORD code, const std::string& what, DWORD& error, std::string& step) {
    error = code;
    step = what;
    return false;
}

bool RefuseLink(const std::string& link, DWORD& error, std::string& step) {
    return Refuse(ERROR_CANT_ACCESS_FILE, FormatResource(IDS_REMOVAL_FOLDER_ON_WAY_IS_LINK, link.c_str()),
                  error, step);
}

// Makes a folder that is missing and records it; a link there stops the copy.
bool EnsureFolder(const std::string& path, const std::string& name, FolderRecord& record, DWORD& error,
                  std::string& step) {
    if (IsLink(path)) return RefuseLink(path, error, step);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    if (!CreateDirectoryA(path.c_str(), nullptr)) return Refuse(GetLastError(), path, error, step);
    record.Created(name);
    return true;
}

// Makes the folders a file's relative path passes through, each checked for a link first.
bool EnsureFoldersOf(const char* folder, const std::string& file, FolderRecord& record, DWORD& error,
                     std::string& step) {
    for (size_t slash = file.find('\\'); slash != std::string::npos; slash = file.find('\\', slash + 1)) {
        std::string name = file.substr(0, slash);
        if (!EnsureFolder(std::string(folder) + "\\" + name, name, record, error, step)) return false;
    }
    return true;
}

// The file is written beside target under a name of its own, then takes target's name in one step
// (FileReplace.h): the name is replaced, never written through, so whatever stood there (a link to a
// file outside among them, which Wine shows as a plain file and whose delete would take the file it
// points to) keeps its own bytes.
bool CopyOne(const char* source, const char* target, bool hasReplace, DWORD& error) {
    std::string written = FileBeside(target);
    if (written.empty() || !CopyFileA(source, written.c_str(), FALSE)) {
        error = GetLastError();
        if (!written.empty()) DeleteFileA(written.c_str());
        return false;
    }
    MakeWritable(written.c_str());
    MakeWritable(target);
    if (!ReplaceWithWritten(written.c_str(), target, hasReplace, error)) return false;
    // Windows 98/Me: a removal before this registration may have left the file to go at restart.
    CancelDeletionAtRestart(target);
    return true;
}

// A file the record says the registration wrote, but that is no longer the one written (a link put in
// its place, another program's file), is left as it is: the copy stops and says why.
bool LeftAsItIs(const char* folder, const FolderRecord& record, const std::string& name, DWORD& error,
                std::string& step) {
    for (const RecordedFile& file : record.files) {
        if (lstrcmpiA(file.name.c_str(), name.c_str()) != 0 || !file.identified) continue;
        RecordedFileCheck check = CheckRecordedFile(folder, name, &file.identity);
        if (check.state != RecordedFileState::Kept) return false;
        Refuse(ERROR_CANT_ACCESS_FILE,
               FormatResource(IDS_REMOVAL_FILE_LEFT_AS_IT_IS, name.c_str(), check.why.c_str()), error, step);
        return true;
    }
    return false;
}

// The earlier registration's files the medium no longer has go, when they are still those it wrote.
void DeleteStale(const char* folder, FolderRecord& record, const std::vector<std::string>& files) {
    std::vector<RecordedFile> previous = record.files;
    for (const RecordedFile& file : previous) {
        bool listed = false;
        for (const std::string& each : files)
            listed = listed || lstrcmpiA(each.c_str(), file.name.c_str()) == 0;
        if (listed) continue;
        RecordedFileCheck check =
            CheckRecordedFile(folder, file.name, file.identified ? &file.identity : nullptr);
        DWORD error = 0;
        if (check.state == RecordedFileState::Ours)
            DeleteNowOrAtRestart((std::string(folder) + "\\" + file.name).c_str(), error);
        record.Forget(file.name);
    }
}

// landed: the names copied, in the medium's order.
bool CopyEach(const char* medium, const char* folder, FolderRecord& record, const RecordWriter& write,
              std::vector<std::string>& landed, DWORD& error, std::string& step) {
    if (!EnsureFolder(folder, kProgramFolderItself, record, error, step)) return false;
    std::vector<std::string> files = MediumFolderFiles();
    for (size_t index = 0; index < files.size(); ++index) {
        char source[MAX_PATH];
        char target[MAX_PATH];
        if (!Join(source, medium, files[index]) || !Join(target, folder, files[index]))
            return Refuse(ERROR_FILENAME_EXCED_RANGE, files[index], error, step);
        // A configuration file the medium lacks is lacking in the folder too; the programs are needed.
        if (index >= 2 && GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES) continue;
        if (!EnsureFoldersOf(folder, files[index], record, error, step)) return false;
        if (IsLink(target)) return RefuseLink(target, error, step);
        if (LeftAsItIs(folder, record, files[index], error, step)) return false;
        step = files[index];
        if (!CopyOne(source, target, OnNtFamily(), error)) return false;
        FileIdentity identity;
        if (ReadFileIdentity(target, identity)) record.Landed(files[index], identity);
        landed.push_back(files[index]);
        if (!write(record, error)) return false;
    }
    step.clear();
    return true;
}

// A program started from the folder itself finds everything in place: the record stays as it was.
bool SameDirectory(const char* medium, const char* folder) {
    return lstrcmpiA(medium, folder) == 0;
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
    // The USB interface library and its settings: check, run from the folder, asks the USB printer too.
    files.push_back(kUsbLibraryFile);
    files.push_back(kUsbSettingsFile);
    return files;
}

bool CopyMediumFiles(const char* folder, FolderRecord& record, const RecordWriter& write, DWORD& error,
                     std::string& step) {
    char medium[MAX_PATH] = {};
    if (!MediumDirectory(medium)) return Refuse(ERROR_FILENAME_EXCED_RANGE, "medium", error, step);
    if (SameDirectory(medium, folder)) return true;
    std::vector<std::string> landed;
    bool copied = CopyEach(medium, folder, record, write, landed, error, step);
    if (copied) DeleteStale(folder, record, landed);
    // What landed before a failure, and the folders made on the way, stay recorded for removal.
    DWORD writeError = 0;
    if (write(record, writeError) || !copied) return copied;
    return Refuse(writeError, "", error, step);
}
