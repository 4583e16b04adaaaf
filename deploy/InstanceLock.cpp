#include "deploy/InstanceLock.h"

#include "common/SingleInstance.h"
#include "deploy/DeployOutput.h"

namespace {
// The wizard names its mutex after its program file, QelvanSetup.exe.
const char kWizardMutex[] = "QelvanSetup";
}  // namespace

InstanceLock::~InstanceLock() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

bool InstanceLock::Take() {
    if (AnotherInstanceRuns(kWizardMutex, mutex_)) {
        Say("安装向导或另一个 QelvanDeploy 正在运行，请等它结束后再试。");
        return false;
    }
    if (CompanionUninstallerRunning()) {
        Say("请先关闭Drovix!");
        return false;
    }
    return true;
}
