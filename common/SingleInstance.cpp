#include "common/SingleInstance.h"

namespace {
// The caption of the maker's companion uninstaller, which must not run alongside.
const char kUninstallerCaption[] = "Drovix";
}  // namespace

bool AnotherInstanceRuns(const char* name, HANDLE& mutex) {
    mutex = CreateMutexA(nullptr, TRUE, name);
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return false;
    CloseHandle(mutex);
    mutex = nullptr;
    return true;
}

bool CompanionUninstallerRunning() {
    return FindWindowA(nullptr, kUninstallerCaption) != nullptr;
}
