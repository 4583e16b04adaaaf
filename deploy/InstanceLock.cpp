#include "deploy/InstanceLock.h"

#include "deploy/DeployOutput.h"

namespace {
// The wizard names its mutex after its program file, QelvanSetup.exe.
const char kWizardMutex[] = "QelvanSetup";
// The caption of the maker's companion uninstaller, which must not run alongside.
const char kUninstallerCaption[] = "Drovix";
}  // namespace

InstanceLock::~InstanceLock() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

bool InstanceLock::Take() {
    mutex_ = CreateMutexA(nullptr, TRUE, kWizardMutex);
    if (mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
        Say("安装向导或另一个 QelvanDeploy 正在运行，请等它结束后再试。");
        return false;
    }
    if (FindWindowA(nullptr, kUninstallerCaption) != nullptr) {
        Say("请先关闭Drovix!");
        return false;
    }
    return true;
}
