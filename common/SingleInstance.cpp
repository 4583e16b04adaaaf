#include "common/SingleInstance.h"

const char kWizardCaption[] = "Qelvan";
const char kCloseUninstallerText[] = "请先关闭Drovix!";

namespace {
// The caption of the maker's companion uninstaller, which must not run alongside.
const char kUninstallerCaption[] = "Drovix";
}  // namespace

StartRefusal CheckSingleInstance(const char* mutexName, bool lookForWizard, HANDLE& mutex) {
    mutex = CreateMutexA(nullptr, TRUE, mutexName);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        mutex = nullptr;
        return StartRefusal::SameNameRuns;
    }
    if (lookForWizard && FindWindowA(nullptr, kWizardCaption) != nullptr) return StartRefusal::WizardOpen;
    if (FindWindowA(nullptr, kUninstallerCaption) != nullptr) return StartRefusal::UninstallerOpen;
    return StartRefusal::None;
}
