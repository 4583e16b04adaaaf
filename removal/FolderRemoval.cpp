#include "removal/FolderRemoval.h"

#include <windows.h>

#include <algorithm>

#include "common/ResourceText.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
constexpr size_t kNamesSaid = 3;

bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Listed(const std::vector<std::string>& paths, const std::string& path) {
    for (const std::string& each : paths) {
        if (lstrcmpiA(each.c_str(), path.c_str()) == 0) return true;
    }
    return false;
}

// The first folder under folder on the way to file that is a link; empty when none is.
std::string LinkOnTheWay(const std::string& folder, const std::string& file) {
    for (size_t slash = file.find('\\'); slash != std::string::npos; slash = file.find('\\', slash + 1)) {
        std::string step = folder + "\\" + file.substr(0, slash);
        if (IsLink(step)) return step;
    }
    return "";
}

class FolderRemoval {
public:
    FolderRemoval(const std::string& folder, const RemovalReport& report)
        : folder_(folder), report_(report) {}

    void RemoveFile(const std::string& file) {
        std::string path = folder_ + "\\" + file;
        std::string link = LinkOnTheWay(folder_, file);
        if (!link.empty()) {
            Say(RemovalKind::ProgramFile, path, RemovalResult::Kept,
                FormatResource(IDS_REMOVAL_FOLDER_ON_WAY_IS_LINK, link.c_str()));
            return;
        }
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
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

    // Removes a folder that holds nothing but what goes at restart; says why one stays.
    void RemoveFolder(const std::string& path) {
        if (!Exists(path) || IsLink(path)) return;
        std::vector<std::string> others;
        bool holdsPending = false;
        ListContent(path, others, holdsPending);
        if (!others.empty()) {
            std::string separator = ResourceText(IDS_REMOVAL_NAME_SEPARATOR);
            std::string names;
            for (size_t index = 0; index < others.size() && index < kNamesSaid; ++index)
                names += (index == 0 ? "" : separator) + others[index];
            UINT why =
                others.size() > kNamesSaid ? IDS_REMOVAL_OTHERS_IN_FOLDER_MORE : IDS_REMOVAL_OTHERS_IN_FOLDER;
            Say(RemovalKind::ProgramFolder, path, RemovalResult::Kept, FormatResource(why, names.c_str()));
            return;
        }
        if (!holdsPending && RemoveDirectoryA(path.c_str())) {
            Say(RemovalKind::ProgramFolder, path, RemovalResult::Removed, "");
            return;
        }
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
    void ListContent(const std::string& path, std::vector<std::string>& others, bool& holdsPending) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (Listed(pending_, path + "\\" + name))
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

size_t Depth(const std::string& path) {
    return static_cast<size_t>(std::count(path.begin(), path.end(), '\\'));
}
}  // namespace

bool RemoveRecordedFiles(const char* folder, const std::vector<std::string>& files,
                         const RemovalReport& report) {
    FolderRemoval removal(folder, report);
    if (!Exists(folder)) return true;
    if (IsLink(folder)) {
        report(
            {RemovalKind::ProgramFolder, folder, RemovalResult::Kept, ResourceText(IDS_REMOVAL_IS_LINK), 0});
        return true;
    }
    std::vector<std::string> folders;
    for (const std::string& file : files) {
        removal.RemoveFile(file);
        for (size_t slash = file.find('\\'); slash != std::string::npos; slash = file.find('\\', slash + 1)) {
            std::string path = std::string(folder) + "\\" + file.substr(0, slash);
            if (!Listed(folders, path)) folders.push_back(path);
        }
    }
    // The deepest first, so that a folder emptied makes its parent empty.
    std::stable_sort(folders.begin(), folders.end(), [](const std::string& one, const std::string& other) {
        return Depth(one) > Depth(other);
    });
    for (const std::string& path : folders) removal.RemoveFolder(path);
    removal.RemoveFolder(folder);
    return !removal.failed;
}
