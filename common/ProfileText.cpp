#include "common/ProfileText.h"

#include <windows.h>

namespace {
const char kBlanks[] = " \t\n\v\f\r\x1a";

// The file's code units after its mark: one byte each, or two for UTF-16.
struct Units {
    ProfileEncoding encoding;
    size_t start;  // the first unit's byte, past the mark
    size_t width;  // bytes a unit takes
};

Units UnitsOf(const std::string& bytes) {
    if (bytes.compare(0, 2, "\xff\xfe") == 0) return {ProfileEncoding::Utf16LittleEndian, 2, 2};
    if (bytes.compare(0, 2, "\xfe\xff") == 0) return {ProfileEncoding::Utf16BigEndian, 2, 2};
    if (bytes.compare(0, 3, "\xef\xbb\xbf") == 0) return {ProfileEncoding::Utf8, 3, 1};
    return {ProfileEncoding::Ansi, 0, 1};
}

unsigned UnitAt(const std::string& bytes, const Units& units, size_t at) {
    unsigned first = static_cast<unsigned char>(bytes[at]);
    if (units.width == 1) return first;
    unsigned second = static_cast<unsigned char>(bytes[at + 1]);
    return units.encoding == ProfileEncoding::Utf16BigEndian ? (first << 8) | second : first | (second << 8);
}

std::string WideToAnsi(const std::wstring& wide) {
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                            nullptr);
    return text;
}

// The text of bytes [begin, end) in the ANSI code page.
std::string AnsiText(const std::string& bytes, const Units& units, size_t begin, size_t end) {
    if (units.encoding == ProfileEncoding::Ansi) return bytes.substr(begin, end - begin);
    std::wstring wide;
    if (units.encoding == ProfileEncoding::Utf8) {
        int size = static_cast<int>(end - begin);
        int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + begin, size, nullptr, 0);
        wide.assign(length > 0 ? length : 0, L'\0');
        if (length > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data() + begin, size, &wide[0], length);
    } else {
        for (size_t at = begin; at + 1 < end; at += 2) wide += static_cast<wchar_t>(UnitAt(bytes, units, at));
    }
    return WideToAnsi(wide);
}
}  // namespace

ProfileText SplitProfileText(const std::string& bytes) {
    Units units = UnitsOf(bytes);
    ProfileText text;
    text.encoding = units.encoding;
    // A UTF-16 file's odd last byte is no unit.
    size_t size = bytes.size() - (bytes.size() - units.start) % units.width;
    size_t begin = units.start;
    for (size_t at = begin; at < size; at += units.width) {
        unsigned unit = UnitAt(bytes, units, at);
        if (unit != '\r' && unit != '\n') continue;
        size_t next = at + units.width;
        if (unit == '\r' && next < size && UnitAt(bytes, units, next) == '\n') next += units.width;
        text.lines.push_back({begin, at, next, AnsiText(bytes, units, begin, at)});
        begin = next;
        at = next - units.width;
    }
    if (begin < size) text.lines.push_back({begin, size, size, AnsiText(bytes, units, begin, size)});
    return text;
}

std::string TrimmedProfileText(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool ProfileSectionName(const std::string& line, std::string& name) {
    std::string trimmed = TrimmedProfileText(line);
    size_t close = trimmed.rfind(']');
    if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos) return false;
    name = TrimmedProfileText(trimmed.substr(1, close - 1));
    return true;
}
