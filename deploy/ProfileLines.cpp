#include "deploy/ProfileLines.h"

#include <windows.h>

#include <string>
#include <vector>

#include "deploy/DeployOutput.h"

namespace {
// More than any profile of a till's printers holds; a larger file is no profile.
const DWORD kLargestProfile = 1024 * 1024;

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

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
    SayFormatted("配置文件 %s %s：出现了两次（名称不分大小写），无法确定以哪一处为准", path, where.c_str());
    return false;
}
}  // namespace

bool CheckEachOnce(const char* path) {
    std::string text;
    if (!ReadBytes(path, text)) {
        SayWithError(("无法读取配置文件 " + std::string(path)).c_str(), GetLastError());
        return false;
    }
    std::vector<std::string> sections, keys;
    std::string section;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line = Trimmed(line.substr(0, line.size() - 1));
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            section = Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            keys.clear();
            if (Seen(sections, section)) return RefuseTwice(path, "[" + section + "]");
            continue;
        }
        size_t equals = line.find('=');
        if (sections.empty() || equals == std::string::npos) continue;
        std::string key = Trimmed(line.substr(0, equals));
        if (Seen(keys, key)) return RefuseTwice(path, "[" + section + "] " + key);
    }
    return true;
}
