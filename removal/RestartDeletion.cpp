#include "removal/RestartDeletion.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/BoundedText.h"

namespace {
const char kRenameSection[] = "[rename]";
const char kDeleteKey[] = "NUL=";

bool WininitPath(char (&path)[MAX_PATH]) {
    DWORD length = GetWindowsDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path && AppendText(path, "\\WININIT.INI");
}

bool ShortPath(const char* path, char (&shortPath)[MAX_PATH], DWORD& error) {
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath) return true;
    error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    return false;
}

// WININIT.INI opened for reading and writing, its text read whole.
class Wininit {
public:
    ~Wininit() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool Open(DWORD disposition, DWORD& error) {
        char path[MAX_PATH] = {};
        if (!WininitPath(path)) {
            error = ERROR_PATH_NOT_FOUND;
            return false;
        }
        file_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return false;
        }
        char chunk[512];
        DWORD read = 0;
        while (ReadFile(file_, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
        return true;
    }
    bool Save(DWORD& error) {
        DWORD written = 0;
        bool ok = SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == 0 &&
                  WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size() && SetEndOfFile(file_);
        if (!ok) error = GetLastError();
        return ok;
    }
    // Where the [rename] section's lines start and end; npos when there is no such section.
    size_t SectionStart() const {
        size_t section = std::string::npos;
        for (size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1)) {
            if (lstrcmpiA(text.substr(at, sizeof kRenameSection - 1).c_str(), kRenameSection) == 0)
                section = at;
        }
        if (section == std::string::npos) return section;
        size_t end = text.find('\n', section);
        return end == std::string::npos ? text.size() : end + 1;
    }
    size_t SectionEnd(size_t start) const {
        for (size_t at = start; at < text.size(); at = text.find('\n', at) + 1) {
            if (text[at] == '[') return at;
            if (text.find('\n', at) == std::string::npos) break;
        }
        return text.size();
    }
    std::string text;

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Adds "NUL=path" to the [rename] section. The section may hold the key many times, so the line is
// inserted, not written through the profile functions, which would replace an earlier one.
bool DeleteAtRestartThroughWininit(const char* path, DWORD& error) {
    char shortPath[MAX_PATH] = {};
    Wininit wininit;
    if (!ShortPath(path, shortPath, error) || !wininit.Open(OPEN_ALWAYS, error)) return false;
    std::string line = std::string(kDeleteKey) + shortPath + "\r\n";
    size_t start = wininit.SectionStart();
    if (start == std::string::npos) {
        std::string& text = wininit.text;
        if (!text.empty() && text[text.size() - 1] != '\n') text += "\r\n";
        text += std::string(kRenameSection) + "\r\n" + line;
    } else {
        wininit.text.insert(start, line);
    }
    return wininit.Save(error);
}

// Moves the file to a unique name in its folder (the same volume, so the move is a rename) and
// schedules that name: what comes to stand under the old name before the restart stays.
bool MoveAsideAndSchedule(const char* path, DWORD& error, std::string& scheduled) {
    char folder[MAX_PATH] = {};
    char aside[MAX_PATH] = {};
    if (!CopyText(folder, path)) return false;
    char* slash = strrchr(folder, '\\');
    if (slash == nullptr) return false;
    *slash = '\0';
    // GetTempFileNameA creates the empty file that makes its name unique; the move replaces it.
    if (GetTempFileNameA(folder, "qdl", 0, aside) == 0) return false;
    if (!MoveFileExA(path, aside, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(aside);
        return false;
    }
    scheduled = aside;
    if (MoveFileExA(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return true;
    error = GetLastError();
    return false;
}
const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";

// Takes the requests to delete path at the next start out of the NT family's list of pending renames:
// pairs of a source ("\\??\\" and the path) and a destination, empty for a deletion. Other requests stay.
bool CancelPendingDeletion(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return true;
    DWORD type = 0;
    DWORD size = 0;
    std::string list;
    if (RegQueryValueExA(key, kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        list.assign(size, '\0');
        if (RegQueryValueExA(key, kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(&list[0]), &size) !=
            ERROR_SUCCESS)
            list.clear();
        list.resize(size);
    }
    std::vector<std::string> items;
    for (size_t at = 0; at < list.size();) {
        size_t end = list.find('\0', at);
        if (end == std::string::npos) end = list.size();
        items.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    std::string kept;
    bool changed = false;
    std::string source = std::string("\\??\\") + path;
    for (size_t index = 0; index + 1 < items.size(); index += 2) {
        bool ours = items[index + 1].empty() && (lstrcmpiA(items[index].c_str(), source.c_str()) == 0 ||
                                                 lstrcmpiA(items[index].c_str(), path) == 0);
        if (ours) {
            changed = true;
            continue;
        }
        kept += items[index] + '\0' + items[index + 1] + '\0';
    }
    bool done = true;
    if (changed) {
        kept += '\0';
        done = RegSetValueExA(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                              static_cast<DWORD>(kept.size())) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return done;
}
// Takes the "NUL=" lines naming path out of WININIT.INI's [rename] section.
bool CancelWininitDeletion(const char* path) {
    char shortPath[MAX_PATH] = {};
    DWORD error = 0;
    Wininit wininit;
    if (!ShortPath(path, shortPath, error) || !wininit.Open(OPEN_EXISTING, error)) return true;
    size_t start = wininit.SectionStart();
    if (start == std::string::npos) return true;
    std::string wanted = std::string(kDeleteKey) + shortPath;
    bool changed = false;
    for (size_t at = start; at < wininit.SectionEnd(start);) {
        size_t end = wininit.text.find('\n', at);
        size_t next = end == std::string::npos ? wininit.text.size() : end + 1;
        std::string line = wininit.text.substr(at, next - at);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (lstrcmpiA(line.c_str(), wanted.c_str()) == 0) {
            wininit.text.erase(at, next - at);
            changed = true;
            continue;
        }
        at = next;
    }
    return !changed || wininit.Save(error);
}
}  // namespace

bool OnNtFamily() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

Deletion DeleteNowOrAtRestart(const char* path, DWORD& error, std::string* scheduled) {
    std::string pending = path;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(path)) return Deletion::Deleted;
    DWORD refusal = GetLastError();
    if (refusal == ERROR_FILE_NOT_FOUND || refusal == ERROR_PATH_NOT_FOUND) return Deletion::Deleted;
    bool done = false;
    error = 0;
    if (!OnNtFamily()) {
        done = DeleteAtRestartThroughWininit(path, error);
    } else if (MoveAsideAndSchedule(path, error, pending)) {
        done = true;
    } else if (error == 0) {
        // The file could not be moved: it is scheduled under its own name, which a registration
        // before the restart then shares.
        done = MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        if (!done) error = GetLastError();
    }
    if (done && scheduled != nullptr) *scheduled = pending;
    return done ? Deletion::AtRestart : Deletion::Failed;
}

bool DeleteAtNextStartOfWindows98(const char* path, DWORD& error) {
    return DeleteAtRestartThroughWininit(path, error);
}

bool CancelDeletionAtRestart(const char* path) {
    // Both lists are looked at: a till's WININIT.INI may hold lines of a Windows 98/Me run too.
    bool pendingGone = !OnNtFamily() || CancelPendingDeletion(path);
    return CancelWininitDeletion(path) && pendingGone;
}
