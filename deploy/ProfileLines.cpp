#include "deploy/ProfileLines.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/ProfileText.h"
#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"

namespace {
// More than any profile of a till's printers holds; a larger file is no profile.
const DWORD kLargestProfile = 1024 * 1024;

bool ReadBytes(const char* path, std::string& text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr);
    DWORD read = 0;
    bool done = size != INVALID_FILE_SIZE && size <= kLargestProfile;
    if (done) {
        text.assign(size, '\0');
        done = size == 0 || (ReadFile(file, &text[0], size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return done;
}

bool Seen(std::vector<std::string>& names, const std::string& name) {
    for (const std::string& each : names) {
        if (lstrcmpiA(each.c_str(), name.c_str()) == 0) return true;
    }
    names.push_back(name);
    return false;
}

bool RefuseTwice(const char* path, const std::string& where) {
    SayResourceFormatted(IDS_PROFILE_WRITTEN_TWICE, path, where.c_str());
    return false;
}
}  // namespace

bool CheckEachOnce(const char* path) {
    std::string bytes;
    if (!ReadBytes(path, bytes)) {
        // Taken before the text is loaded, which may set another.
        DWORD error = GetLastError();
        SayWithError(FormatResource(IDS_PROFILE_CANNOT_READ, path).c_str(), error);
        return false;
    }
    std::vector<std::string> sections, keys;
    std::string section;
    for (const ProfileLine& each : SplitProfileText(bytes).lines) {
        std::string line = TrimmedProfileText(each.text);
        if (line.empty() || line[0] == ';') continue;
        std::string name;
        if (ProfileSectionName(line, name)) {
            section = name;
            keys.clear();
            if (Seen(sections, section)) return RefuseTwice(path, "[" + section + "]");
            continue;
        }
        size_t equals = line.find('=');
        if (sections.empty() || equals == std::string::npos) continue;
        std::string key = TrimmedProfileText(line.substr(0, equals));
        if (Seen(keys, key)) return RefuseTwice(path, "[" + section + "] " + key);
    }
    return true;
}
