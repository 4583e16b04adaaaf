#include "common/SingleInstance.h"

const char kWizardCaption[] = "Qelvan";
const char kCloseUninstallerText[] = "请先关闭Drovix!";
const char kRemovalWindowCaption[] = "Drovix";
const char kRemovalWindowMutex[] = "QelvanRemoval";
const char kWizardMutex[] = "QelvanSetup";

namespace {
bool MutexExists(const char* name) {
    HANDLE existing = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (existing == nullptr) return false;
    CloseHandle(existing);
    return true;
}
}  // namespace

StartRefusal CheckSingleInstance(const char* mutexName, bool lookForWizard, HANDLE& mutex) {
    mutex = CreateMutexA(nullptr, TRUE, mutexName);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        mutex = nullptr;
        return StartRefusal::SameNameRuns;
    }
    if (lookForWizard && FindWindowA(nullptr, kWizardCaption) != nullptr) return StartRefusal::WizardOpen;
    // The removal window holds its mutex from its start, before its window shows.
    if (FindWindowA(nullptr, kRemovalWindowCaption) != nullptr || MutexExists(kRemovalWindowMutex))
        return StartRefusal::UninstallerOpen;
    return StartRefusal::None;
}

StartRefusal CheckRemovalWindowStart(HANDLE& mutex) {
    mutex = CreateMutexA(nullptr, TRUE, kRemovalWindowMutex);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        mutex = nullptr;
        return StartRefusal::SameNameRuns;
    }
    if (FindWindowA(nullptr, kWizardCaption) != nullptr || MutexExists(kWizardMutex))
        return StartRefusal::WizardOpen;
    return StartRefusal::None;
}
