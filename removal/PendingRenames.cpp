#include "removal/PendingRenames.h"

#include <string>
#include <vector>

namespace {
const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";
const wchar_t kObjectPrefix[] = L"\\??\\";

// The Unicode calls of the NT family, looked up when needed: Windows 98/Me export them only as stubs
// that fail, and a program that imports them is taken for one that needs them there. The list of
// pending renames exists on the NT family alone.
struct UnicodeCalls {
    decltype(&RegQueryValueExW) queryValue = nullptr;
    decltype(&RegSetValueExW) setValue = nullptr;
    decltype(&lstrcmpiW) compareNoCase = nullptr;

    UnicodeCalls() {
        HMODULE advapi = GetModuleHandleA("advapi32.dll");
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        if (advapi != nullptr) {
            queryValue = reinterpret_cast<decltype(queryValue)>(
                reinterpret_cast<void*>(GetProcAddress(advapi, "RegQueryValueExW")));
            setValue = reinterpret_cast<decltype(setValue)>(
                reinterpret_cast<void*>(GetProcAddress(advapi, "RegSetValueExW")));
        }
        if (kernel != nullptr)
            compareNoCase = reinterpret_cast<decltype(compareNoCase)>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "lstrcmpiW")));
    }
    bool Found() const { return queryValue != nullptr && setValue != nullptr && compareNoCase != nullptr; }
};

std::wstring Wide(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

// The value's raw bytes; false when it is missing or no list of texts.
bool ReadList(const UnicodeCalls& calls, HKEY key, std::vector<BYTE>& bytes) {
    DWORD type = 0;
    DWORD size = 0;
    if (calls.queryValue(key, kPendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size == 0)
        return false;
    bytes.assign(size, 0);
    if (calls.queryValue(key, kPendingValue, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
        return false;
    bytes.resize(size);
    return true;
}

// The text starting at unit at, and where the next one starts; false past the list's units.
bool TextAt(const std::vector<BYTE>& bytes, size_t& at, std::wstring& text) {
    size_t units = bytes.size() / sizeof(wchar_t);
    if (at >= units) return false;
    text.clear();
    for (; at < units; ++at) {
        wchar_t unit = static_cast<wchar_t>(bytes[at * 2] | (bytes[at * 2 + 1] << 8));
        if (unit == L'\0') break;
        text += unit;
    }
    ++at;
    return true;
}

bool IsOurDeletion(const UnicodeCalls& calls, const std::wstring& source, const std::wstring& destination,
                   const std::wstring& path) {
    if (!destination.empty()) return false;
    std::wstring bare = source.compare(0, 4, kObjectPrefix) == 0 ? source.substr(4) : source;
    return calls.compareNoCase(bare.c_str(), path.c_str()) == 0;
}

// The list without the byte ranges of our deletions' pairs; false when there was none. The walk ends at
// the empty text that closes the list: the bytes after it, and of a pair cut short, stay as they are.
bool WithoutOurDeletions(const UnicodeCalls& calls, const std::vector<BYTE>& bytes, const std::wstring& path,
                         std::vector<BYTE>& kept) {
    size_t at = 0, copied = 0;
    bool removed = false;
    std::wstring source, destination;
    for (size_t pair = at; TextAt(bytes, at, source) && !source.empty(); pair = at) {
        if (!TextAt(bytes, at, destination) || at * 2 > bytes.size()) break;
        if (!IsOurDeletion(calls, source, destination, path)) continue;
        kept.insert(kept.end(), bytes.begin() + copied * 2, bytes.begin() + pair * 2);
        copied = at;
        removed = true;
    }
    if (!removed) return false;
    kept.insert(kept.end(), bytes.begin() + copied * 2, bytes.end());
    return true;
}
}  // namespace

bool RemovePendingDeletion(const char* path, DWORD& error) {
    UnicodeCalls calls;
    if (!calls.Found()) {
        error = ERROR_CALL_NOT_IMPLEMENTED;
        return false;
    }
    HKEY key = nullptr;
    LONG result =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (result != ERROR_SUCCESS) {
        // Without the key nothing is pending.
        error = static_cast<DWORD>(result);
        return result == ERROR_FILE_NOT_FOUND;
    }
    std::vector<BYTE> bytes, kept;
    if (ReadList(calls, key, bytes) && WithoutOurDeletions(calls, bytes, Wide(path), kept))
        result =
            calls.setValue(key, kPendingValue, 0, REG_MULTI_SZ, kept.data(), static_cast<DWORD>(kept.size()));
    RegCloseKey(key);
    error = static_cast<DWORD>(result);
    return result == ERROR_SUCCESS;
}
