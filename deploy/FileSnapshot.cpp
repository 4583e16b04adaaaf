#include "deploy/FileSnapshot.h"

#include <windows.h>

#include "common/FileNames.h"
#include "common/WholeFile.h"
#include "deploy/JournalLines.h"
#include "removal/FolderPaths.h"

namespace {
const char kMissing[] = "missing";
const char kPlain[] = "file";
const char kOther[] = "other";

RestoredFile PutBack(const std::string& path, const std::string& copy) {
    if (IsLink(path) || (PathExists(path) && !IsPlainFile(path)))
        return {path, FileRestore::Failed, ERROR_ACCESS_DENIED};
    if (IsPlainFile(path) && SameFileBytes(path, copy)) return {path, FileRestore::Unchanged, 0};
    // The earlier bytes with the earlier times and attributes: a copy of the saved copy.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(copy.c_str(), path.c_str(), FALSE)) return {path, FileRestore::Failed, GetLastError()};
    return {path, FileRestore::Restored, 0};
}

RestoredFile TakeAway(const std::string& path) {
    if (!PathExists(path)) return {path, FileRestore::Unchanged, 0};
    // Whatever stands there now that is not a plain file is not what the run wrote.
    if (IsLink(path) || !IsPlainFile(path)) return {path, FileRestore::Unchanged, 0};
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path.c_str())) return {path, FileRestore::Failed, GetLastError()};
    return {path, FileRestore::Deleted, 0};
}
}  // namespace

bool SaveFiles(const std::vector<std::string>& paths, const std::string& folder,
               std::vector<std::string>& lines) {
    int copies = 0;
    for (const std::string& path : paths) {
        if (!PathExists(path)) {
            lines.push_back(JournalLineOf("F", {kMissing, path, ""}));
        } else if (IsLink(path) || !IsPlainFile(path)) {
            lines.push_back(JournalLineOf("F", {kOther, path, ""}));
        } else {
            std::string copy = "file" + std::to_string(++copies);
            // The copy keeps the file's times and attributes; CopyFileA reads through nothing but the file.
            if (!CopyFileA(path.c_str(), (folder + "\\" + copy).c_str(), TRUE)) return false;
            lines.push_back(JournalLineOf("F", {kPlain, path, copy}));
        }
    }
    return true;
}

std::vector<RestoredFile> RestoreFiles(const std::vector<std::string>& lines, const std::string& folder,
                                       const std::vector<std::string>& allowed) {
    std::vector<RestoredFile> results;
    for (const std::string& text : lines) {
        JournalLine line;
        if (!ReadJournalLine(text, line) || line.tag != "F" || line.fields.size() != 3) continue;
        const std::string& path = line.fields[1];
        if (!ListedIn(allowed, path)) continue;
        // Only a bare copy name of the journal's own folder is read back, never a path the line carries.
        if (line.fields[0] == kPlain && IsPlainRelativeName(line.fields[2]) &&
            line.fields[2].find('\\') == std::string::npos)
            results.push_back(PutBack(path, folder + "\\" + line.fields[2]));
        else if (line.fields[0] == kMissing)
            results.push_back(TakeAway(path));
    }
    return results;
}
