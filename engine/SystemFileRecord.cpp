#include "engine/SystemFileRecord.h"

#include <windows.h>

#include "common/RegistryKey.h"
#include "engine/ProductRecords.h"
#include "engine/Registrations.h"
#include "engine/SystemDriverFiles.h"

namespace {
const char kRecordKey[] = "SOFTWARE\\Qelvan\\SystemFiles";
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
    ForgetRecordLine(kRecordKey, path.c_str());
}
