#include "common/SingleInstance.h"

const char kWizardCaption[] = "Qelvan";
const char kRemovalWindowCaption[] = "Drovix";
const char kRemovalWindowMutex[] = "QelvanRemoval";
const char kWizardMutex[] = "QelvanSetup";
const char kDeployMutex[] = "QelvanDeploy";

namespace {
// The class every dialog made from a template has, the wizard's frame and the removal window included.
const char kDialogClass[] = "#32770";

// Creates the mutex owned; SameNameRuns (and no handle) when another process holds the name.
StartRefusal TakeMutex(const char* name, HANDLE& mutex) {
    mutex = CreateMutexA(nullptr, TRUE, name);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        mutex = nullptr;
        return StartRefusal::SameNameRuns;
    }
    return StartRefusal::None;
}
}  // namespace

HWND FindProductDialog(const char* caption) {
    return FindWindowA(kDialogClass, caption);
}

HWND FindRemovalWindow() {
    return FindWindowA(nullptr, kRemovalWindowCaption);
}

bool MutexExists(const char* name) {
    HANDLE existing = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (existing == nullptr) return false;
    CloseHandle(existing);
    return true;
}

StartRefusal CheckSingleInstance(const char* mutexName, bool lookForWizard, HANDLE& mutex) {
    if (TakeMutex(mutexName, mutex) == StartRefusal::SameNameRuns) return StartRefusal::SameNameRuns;
    if (lookForWizard && FindProductDialog(kWizardCaption) != nullptr) return StartRefusal::WizardOpen;
    // The removal window holds its mutex from its start, before its window shows.
    if (FindRemovalWindow() != nullptr || MutexExists(kRemovalWindowMutex))
        return StartRefusal::UninstallerOpen;
    return StartRefusal::None;
}

StartRefusal CheckWizardStart(const char* mutexName, HANDLE& mutex) {
    mutex = nullptr;
    if (MutexExists(kDeployMutex)) return StartRefusal::DeployRuns;
    return CheckSingleInstance(mutexName, false, mutex);
}

StartRefusal CheckRemovalWindowStart(HANDLE& mutex) {
    if (TakeMutex(kRemovalWindowMutex, mutex) == StartRefusal::SameNameRuns)
        return StartRefusal::SameNameRuns;
    if (FindProductDialog(kWizardCaption) != nullptr || MutexExists(kWizardMutex) ||
        MutexExists(kDeployMutex))
        return StartRefusal::WizardOpen;
    return StartRefusal::None;
}
