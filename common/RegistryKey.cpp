#include "common/RegistryKey.h"

#include <cstdlib>
#include <cstring>

namespace {

// Room for the longest ";"-separated list value the configuration keeps in the registry.
constexpr DWORD kStringListSize = 2500;

// Number of items in a ";"-separated text: one per ";", plus the last item when no ";" ends it.
size_t CountItems(const char* text) {
    size_t count = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == ';') ++count;
    }
    if (text[strlen(text) - 1] != ';') ++count;
    return count;
}

// Fills list (count + 3 null slots) with copies of the items; stops early when memory runs out,
// which leaves a shorter list that still ends at a null slot.
void SplitItems(const char* text, char** list) {
    size_t slot = 0;
    const char* item = text;
    for (;;) {
        const char* end = strchr(item, ';');
        size_t length = end ? static_cast<size_t>(end - item) : strlen(item);
        char* copy = static_cast<char*>(calloc(length + 3, 1));
        if (copy == nullptr) return;
        memcpy(copy, item, length);
        list[slot++] = copy;
        if (end == nullptr || end[1] == '\0') return;
        item = end + 1;
    }
}

}  // namespace

RegistryKey::RegistryKey(HKEY root, const char* path) {
    Open(root, path);
}

RegistryKey::~RegistryKey() {
    Close();
}

bool RegistryKey::Open(HKEY root, const char* path) {
    Close();
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &opened);
    if (result != ERROR_SUCCESS) {
        lastError = static_cast<DWORD>(result);
        handle = nullptr;
        return false;
    }
    handle = opened;
    return true;
}

bool RegistryKey::Close() {
    if (handle == nullptr) return false;
    LONG result = RegCloseKey(handle);
    handle = nullptr;
    return result == ERROR_SUCCESS;
}

bool RegistryKey::QueryValue(const char* name, void* buffer, DWORD size) {
    if (handle == nullptr) return false;
    DWORD length = size;
    LONG result = RegQueryValueExA(handle, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &length);
    lastError = static_cast<DWORD>(result);
    return result == ERROR_SUCCESS;
}

bool RegistryKey::QueryDword(const char* name, DWORD& value, DWORD* error) {
    if (handle == nullptr) return false;
    bool ok = QueryValue(name, &value, sizeof value);
    if (error) *error = lastError;
    return ok;
}

bool RegistryKey::QueryString(const char* name, char* buffer, DWORD size, DWORD* error) {
    if (handle == nullptr || buffer == nullptr || size == 0) return false;
    buffer[0] = '\0';
    bool ok = QueryValue(name, buffer, size);
    // A stored text need not end in a zero byte, and a refused read may leave part of the value behind:
    // the caller always gets a terminated text.
    if (ok) {
        buffer[size - 1] = '\0';
    } else {
        buffer[0] = '\0';
    }
    if (error) *error = lastError;
    return ok;
}

char** RegistryKey::QueryStringList(const char* name, DWORD* error) {
    if (handle == nullptr) return nullptr;
    char* text = static_cast<char*>(calloc(kStringListSize, 1));
    if (text == nullptr) return nullptr;
    char** list = nullptr;
    if (QueryString(name, text, kStringListSize, error) && text[0] != '\0') {
        list = static_cast<char**>(calloc(CountItems(text) + 3, sizeof(char*)));
        if (list) SplitItems(text, list);
    }
    free(text);
    return list;
}

void RegistryKey::FreeStringList(char** list) {
    if (list == nullptr) return;
    for (char** item = list; *item != nullptr; ++item) free(*item);
    free(list);
}

bool RegistryKey::SetValue(const char* name, const void* data, DWORD type, DWORD size) {
    if (handle == nullptr) return false;
    LONG result = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    lastError = static_cast<DWORD>(result);
    return result == ERROR_SUCCESS;
}

bool RegistryKey::SetDword(const char* name, DWORD value, DWORD* error) {
    if (handle == nullptr) return false;
    bool ok = SetValue(name, &value, REG_DWORD, sizeof value);
    if (error) *error = lastError;
    return ok;
}

bool RegistryKey::SetString(const char* name, const char* text, DWORD* error) {
    if (handle == nullptr) return false;
    if (text == nullptr) text = "";
    bool ok = SetValue(name, text, REG_SZ, static_cast<DWORD>(strlen(text) + 1));
    if (error) *error = lastError;
    return ok;
}

bool RegistryKey::CreateKey(HKEY root, const char* path, const char* className) {
    HKEY created = nullptr;
    LONG result = RegCreateKeyExA(root, path, 0, const_cast<char*>(className), REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (result != ERROR_SUCCESS) return false;
    RegCloseKey(created);
    return true;
}

bool RegistryKey::DeleteValue(const char* name) {
    if (handle == nullptr) return false;
    LONG result = RegDeleteValueA(handle, name);
    lastError = static_cast<DWORD>(result);
    return result == ERROR_SUCCESS;
}

bool RegistryKey::DeleteKey(HKEY root, const char* path, DWORD* error) {
    LONG result = RegDeleteKeyA(root, path);
    if (error) *error = static_cast<DWORD>(result);
    return result == ERROR_SUCCESS;
}

bool RegistryKey::DeleteKeyWhenEmpty(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD subKeys = 1;
    DWORD values = 1;
    LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                   nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && subKeys == 0 && values == 0 && DeleteKey(root, path);
}

LONG RegistryKey::EnumValue(DWORD index, char* name, DWORD& nameLength, DWORD& type) {
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    return RegEnumValueA(handle, index, name, &nameLength, nullptr, &type, nullptr, nullptr);
}
