#include "engine/ProductRecords.h"

#include <windows.h>

#include "common/RegistryKey.h"

const char kProductRecordsKey[] = "SOFTWARE\\Qelvan";

void ForgetRecordLine(const char* recordKey, const char* name) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, recordKey)) return;
    key.DeleteValue(name);
    key.Close();
    RegistryKey::DeleteKeyWhenEmpty(HKEY_LOCAL_MACHINE, recordKey);
    RegistryKey::DeleteKeyWhenEmpty(HKEY_LOCAL_MACHINE, kProductRecordsKey);
}
