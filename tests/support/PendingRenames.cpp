#include "tests/support/PendingRenames.h"

#include <windows.h>

std::string PendingRenames() {
    HKEY key = nullptr;
    std::string pending;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return pending;
    DWORD size = 0;
    if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) ==
            ERROR_SUCCESS &&
        size > 0) {
        pending.resize(size);
        RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&pending[0]), &size);
        for (char& each : pending) each = each == '\0' ? '\n' : each;
    }
    RegCloseKey(key);
    return pending;
}
