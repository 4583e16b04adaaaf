#include "engine/SystemFileRecord.h"

#include <windows.h>

#include "common/RegistryKey.h"
#include "engine/Registrations.h"
#include "engine/SystemDriverFiles.h"

namespace {
const char kRecordKey[] = "SOFTWARE\\Qelvan\\SystemFiles";
const char kProductKey[] = "SOFTWARE\\Qelvan";
const DWORD kFoundThere = 0;
const DWORD kPlacedByUs = 1;

// The record's verdict on path; false when the record does not know it.
bool RecordedVerdict(const std::string& path, DWORD& verdict) {
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, kRecordKey) && key.QueryDword(path.c_str(), verdict);
}

void Record(const std::string& path, DWORD verdict) {
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kRecordKey);
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRecordKey)) key.SetDword(path.c_str(), verdict);
}

// True when the key holds no value and no sub-key. Windows 98/Me's RegDeleteKey takes a key's sub-keys
// with it, so a key is deleted only when this says it is empty.
bool KeyIsEmpty(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD subKeys = 1;
    DWORD values = 1;
    LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && subKeys == 0 && values == 0;
}

void DeleteWhenEmpty(const char* path) {
    if (KeyIsEmpty(path)) RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, path);
}
}  // namespace

void NoteBeforePlacing(const std::string& path, int targetSystem) {
    // Windows' own files stay whoever put them there: removal never asks.
    if (IsSystemSharedDriverFile(FileNameOf(path).c_str(), targetSystem)) return;
    DWORD verdict = kPlacedByUs;
    bool known = RecordedVerdict(path, verdict);
    if (!IsPlainFile(path)) {
        if (!known || verdict != kPlacedByUs) Record(path, kPlacedByUs);
        return;
    }
    if (known) return;
    bool listsRead = false;
    if (AnyRegistrationNames(FileNameOf(path), targetSystem, listsRead) || !listsRead) return;
    Record(path, kFoundThere);
}

bool FoundBeforeInstallation(const std::string& path) {
    DWORD verdict = kPlacedByUs;
    return RecordedVerdict(path, verdict) && verdict == kFoundThere;
}

void ForgetSystemFile(const std::string& path) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kRecordKey)) return;
    key.DeleteValue(path.c_str());
    key.Close();
    DeleteWhenEmpty(kRecordKey);
    // The product's own key goes too when nothing else of ours is under it.
    DeleteWhenEmpty(kProductKey);
}
