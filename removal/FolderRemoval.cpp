#include "removal/FolderRemoval.h"

#include <windows.h>

#include <algorithm>

#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "removal/FolderPaths.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
constexpr size_t kNamesSaid = 3;

size_t Depth(const std::string& path) {
    return static_cast<size_t>(std::count(path.begin(), path.end(), '\\'));
}

class FolderRemoval {
public:
    FolderRemoval(const std::string& folder, const RemovalReport& report)
        : folder_(folder), report_(report) {}

    void RemoveFile(const RecordedFile& file) {
        std::string path = folder_ + "\\" + file.name;
        RecordedFileCheck check =
            CheckRecordedFile(folder_, file.name, file.identified ? &file.identity : nullptr);
        if (check.state == RecordedFileState::Missing) return;
        if (check.state == RecordedFileState::Kept) {
            Say(RemovalKind::ProgramFile, path, RemovalResult::Kept, check.why);
            return;
        }
        DWORD error = 0;
        std::string scheduled;
        switch (DeleteNowOrAtRestart(path.c_str(), error, &scheduled)) {
            case Deletion::Deleted:
                Say(RemovalKind::ProgramFile, path, RemovalResult::Removed, "");
                return;
            case Deletion::AtRestart:
                pending_.push_back(scheduled);
                Say(RemovalKind::ProgramFile, path, RemovalResult::AtRestart, "");
                return;
            case Deletion::Failed:
                failed = true;
                report_({RemovalKind::ProgramFile, path, RemovalResult::Failed, "", error});
                return;
        }
    }

    // A folder the registration made goes once nothing but what goes at restart is in it; one it did
    // not make stays. Either way, one that stays is said with why.
    void RemoveFolder(const std::string& name, bool made) {
        bool itself = name == kProgramFolderItself;
        std::string path = itself ? folder_ : folder_ + "\\" + name;
        if (!itself && !IsPlainRelativeName(name))
            return Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept,
                       ResourceText(IDS_REMOVAL_NOT_PLAIN_NAME));
        std::string link = itself ? "" : LinkOnTheWay(folder_, name);
        if (!link.empty())
            return Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept,
                       FormatResource(IDS_REMOVAL_FOLDER_ON_WAY_IS_LINK, link.c_str()));
        if (!PathExists(path)) return;
        if (IsLink(path))
            return Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept,
                       ResourceText(IDS_REMOVAL_IS_LINK));
        std::vector<std::string> others;
        bool holdsPending = false;
        ListContent(path, others, holdsPending);
        if (!others.empty()) return SayOthers(path, others);
        if (!made)
            return Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept,
                       ResourceText(IDS_REMOVAL_FOLDER_NOT_MADE));
        if (!holdsPending && RemoveDirectoryA(path.c_str()))
            return Say(RemovalKind::ProgramFolder, path, RemovalResult::Removed, "");
        // The NT family carries out the requests in order: the folder goes after the files in it.
        // Windows 98/Me's WININIT.INI deletes files only.
        if (holdsPending && OnNtFamily() && MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            pending_.push_back(path);
            Say(RemovalKind::ProgramFolder, path, RemovalResult::AtRestart, "");
        } else if (holdsPending) {
            Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept,
                ResourceText(IDS_REMOVAL_FILES_GO_AT_RESTART));
        } else {
            report_({RemovalKind::ProgramFolder, path, RemovalResult::Failed, "", GetLastError()});
        }
    }

    bool failed = false;

private:
    void Say(RemovalKind kind, const std::string& path, RemovalResult result, const std::string& why) {
        report_({kind, path, result, why, 0});
    }
    void SayOthers(const std::string& path, const std::vector<std::string>& others) {
        std::string separator = ResourceText(IDS_REMOVAL_NAME_SEPARATOR);
        std::string names;
        for (size_t index = 0; index < others.size() && index < kNamesSaid; ++index)
            names += (index == 0 ? "" : separator) + others[index];
        UINT why =
            others.size() > kNamesSaid ? IDS_REMOVAL_OTHERS_IN_FOLDER_MORE : IDS_REMOVAL_OTHERS_IN_FOLDER;
        Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept, FormatResource(why, names.c_str()));
    }
    void ListContent(const std::string& path, std::vector<std::string>& others, bool& holdsPending) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (ListedIn(pending_, path + "\\" + name))
                holdsPending = true;
            else
                others.push_back(name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }

    std::string folder_;
    const RemovalReport& report_;
    std::vector<std::string> pending_;  // what goes at the next start
};

// The folders to look at after the files, the deepest first: those the registration made and those its
// files lie in, the folder itself last.
std::vector<std::string> FoldersToLookAt(const FolderRecord& record) {
    std::vector<std::string> folders = record.createdFolders;
    for (const RecordedFile& file : record.files) {
        for (size_t slash = file.name.find('\\'); slash != std::string::npos;
             slash = file.name.find('\\', slash + 1)) {
            std::string name = file.name.substr(0, slash);
            if (!ListedIn(folders, name)) folders.push_back(name);
        }
    }
    if (!ListedIn(folders, kProgramFolderItself)) folders.push_back(kProgramFolderItself);
    std::stable_sort(folders.begin(), folders.end(), [](const std::string& one, const std::string& other) {
        bool oneItself = one == kProgramFolderItself, otherItself = other == kProgramFolderItself;
        if (oneItself != otherItself) return otherItself;
        return Depth(one) > Depth(other);
    });
    return folders;
}
}  // namespace

bool RemoveRecordedFiles(const char* folder, const FolderRecord& record, const RemovalReport& report) {
    if (!PathExists(folder)) return true;
    if (IsLink(folder)) {
        report(
            {RemovalKind::ProgramFolder, folder, RemovalResult::Kept, ResourceText(IDS_REMOVAL_IS_LINK), 0});
        return true;
    }
    FolderRemoval removal(folder, report);
    for (const RecordedFile& file : record.files) removal.RemoveFile(file);
    for (const std::string& name : FoldersToLookAt(record))
        removal.RemoveFolder(name, record.MadeFolder(name));
    return !removal.failed;
}

OutsideProgramFolder::OutsideProgramFolder() {
    DWORD saved = GetCurrentDirectoryA(sizeof saved_, saved_);
    if (saved == 0 || saved >= sizeof saved_) saved_[0] = '\0';
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length > 0 && length < sizeof temporary) SetCurrentDirectoryA(temporary);
}

OutsideProgramFolder::~OutsideProgramFolder() {
    if (saved_[0] != '\0') SetCurrentDirectoryA(saved_);
}
