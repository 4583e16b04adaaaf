#include "removal/WininitRenames.h"

#include <string>

#include "common/BoundedText.h"
#include "common/ProfileText.h"

namespace {
const char kRenameSection[] = "[rename]";
const char kDeleteKey[] = "NUL=";
// Far more than any WININIT.INI holds; a larger file is no such list and stays untouched.
const DWORD kLargestWininit = 1024 * 1024;

bool WininitPath(char (&path)[MAX_PATH]) {
    DWORD length = GetWindowsDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path && AppendText(path, "\\WININIT.INI");
}

bool IsRenameHeader(const ProfileLine& line) {
    return lstrcmpiA(TrimmedProfileText(line.text).c_str(), kRenameSection) == 0;
}

// WININIT.INI held open without sharing while it is read and rewritten, its bytes and lines.
class Wininit {
public:
    ~Wininit() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    // False with error set when the file cannot be opened or read safely; missing is set instead of
    // failing when the file is not there and disposition is OPEN_EXISTING.
    bool Open(DWORD disposition, DWORD& error, bool& missing) {
        char path[MAX_PATH] = {};
        missing = false;
        if (!WininitPath(path)) {
            error = ERROR_PATH_NOT_FOUND;
            return false;
        }
        file_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            missing = error == ERROR_FILE_NOT_FOUND;
            return false;
        }
        return ReadWhole(error);
    }
    bool Save(DWORD& error) {
        DWORD written = 0;
        bool ok = SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == 0 &&
                  WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && SetEndOfFile(file_);
        if (!ok) error = GetLastError();
        return ok;
    }
    std::string bytes;
    ProfileText text;

private:
    bool ReadWhole(DWORD& error) {
        DWORD size = GetFileSize(file_, nullptr);
        if (size == INVALID_FILE_SIZE || size > kLargestWininit) {
            error = size == INVALID_FILE_SIZE ? GetLastError() : ERROR_FILE_TOO_LARGE;
            return false;
        }
        bytes.assign(size, '\0');
        DWORD read = 0;
        if (size > 0 && !ReadFile(file_, &bytes[0], size, &read, nullptr)) {
            error = GetLastError();
            return false;
        }
        if (read != size) {
            error = ERROR_READ_FAULT;
            return false;
        }
        text = SplitProfileText(bytes);
        if (text.encoding == ProfileEncoding::Ansi) return true;
        error = ERROR_INVALID_DATA;
        return false;
    }
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Where a line added at the file's end starts: after a line end of its own, added when the file ends
// without one.
std::string EndOfFile(const std::string& bytes) {
    if (bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r') return "";
    return "\r\n";
}
}  // namespace

bool AddWininitDeletion(const char* shortPath, DWORD& error) {
    Wininit wininit;
    bool missing = false;
    if (!wininit.Open(OPEN_ALWAYS, error, missing)) return false;
    std::string line = std::string(kDeleteKey) + shortPath + "\r\n";
    std::string& bytes = wininit.bytes;
    for (const ProfileLine& header : wininit.text.lines) {
        if (!IsRenameHeader(header)) continue;
        // A header that ends the file without a line end gets one before our line.
        std::string ending = header.next == header.end ? "\r\n" : "";
        bytes.insert(header.next, ending + line);
        return wininit.Save(error);
    }
    bytes += EndOfFile(bytes) + kRenameSection + "\r\n" + line;
    return wininit.Save(error);
}

bool RemoveWininitDeletion(const char* shortPath, DWORD& error) {
    Wininit wininit;
    bool missing = false;
    if (!wininit.Open(OPEN_EXISTING, error, missing)) return missing;
    std::string ours = std::string(kDeleteKey) + shortPath;
    std::string kept;
    size_t copied = 0;
    bool inRename = false, removed = false;
    for (const ProfileLine& line : wininit.text.lines) {
        std::string section;
        if (ProfileSectionName(line.text, section)) inRename = IsRenameHeader(line);
        if (!inRename || lstrcmpiA(TrimmedProfileText(line.text).c_str(), ours.c_str()) != 0) continue;
        kept.append(wininit.bytes, copied, line.begin - copied);
        copied = line.next;
        removed = true;
    }
    if (!removed) return true;
    wininit.bytes = kept + wininit.bytes.substr(copied);
    return wininit.Save(error);
}
