#include "common/WholeFile.h"

#include <windows.h>

#include <cstring>

namespace {
bool WriteFileAs(const std::string& path, const std::string& bytes, DWORD disposition) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool done = bytes.empty() ||
                (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                 written == bytes.size());
    return CloseHandle(file) && done;
}

HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long limit) {
    bytes.clear();
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    bool read = size != INVALID_FILE_SIZE && high == 0 && size <= limit;
    bytes.assign(read ? size : 0, '\0');
    DWORD got = 0;
    read = read && (size == 0 || ReadFile(file, &bytes[0], size, &got, nullptr)) && got == size;
    CloseHandle(file);
    if (!read) bytes.clear();
    return read;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    return WriteFileAs(path, bytes, CREATE_ALWAYS);
}

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    return WriteFileAs(path, bytes, CREATE_NEW);
}

unsigned long long FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SameFileBytes(const std::string& one, const std::string& other) {
    HANDLE a = OpenForReading(one);
    HANDLE b = OpenForReading(other);
    bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE &&
                GetFileSize(a, nullptr) == GetFileSize(b, nullptr);
    char left[4096], right[4096];
    while (same) {
        DWORD readLeft = 0, readRight = 0;
        if (!ReadFile(a, left, sizeof left, &readLeft, nullptr) ||
            !ReadFile(b, right, sizeof right, &readRight, nullptr) || readLeft != readRight) {
            same = false;
        } else if (readLeft == 0) {
            break;
        } else {
            same = memcmp(left, right, readLeft) == 0;
        }
    }
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
    return same;
}
