#include "deploy/ProfileLines.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"

namespace {
// More than any profile of a till's printers holds; a larger file is no profile.
const DWORD kLargestProfile = 1024 * 1024;

// The characters the profile functions take for blanks around a name: space, tab to carriage return, and
// the end-of-file mark.
const char kBlanks[] = " \t\n\v\f\r\x1a";

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text in the system's ANSI code page, as the profile functions read it: a file saved as Unicode
// (UTF-16 with its byte-order mark, either order) or as UTF-8 with its mark is converted, any other
// taken as it stands.
std::string AsAnsi(const std::string& bytes) {
    std::wstring wide;
    if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xff\xfe") == 0 || bytes.compare(0, 2, "\xfe\xff") == 0)) {
        bool bigEndian = bytes[0] == '\xfe';
        for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
            unsigned char low = static_cast<unsigned char>(bytes[bigEndian ? at + 1 : at]);
            unsigned char high = static_cast<unsigned char>(bytes[bigEndian ? at : at + 1]);
            wide += static_cast<wchar_t>(low | (high << 8));
        }
    } else if (bytes.compare(0, 3, "\xef\xbb\xbf") == 0) {
        int length =
            MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3), nullptr, 0);
        wide.assign(length > 0 ? length : 0, L'\0');
        if (length > 0)
            MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3), &wide[0],
                                length);
    } else {
        return bytes;
    }
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                            nullptr);
    return text;
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
    std::string text = AsAnsi(bytes);
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
