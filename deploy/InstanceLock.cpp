#include "deploy/InstanceLock.h"

#include "common/SingleInstance.h"
#include "deploy/DeployOutput.h"

InstanceLock::~InstanceLock() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

bool InstanceLock::Take() {
    switch (CheckSingleInstance(kWizardMutex, true, mutex_)) {
        case StartRefusal::None:
            return true;
        case StartRefusal::SameNameRuns:
        case StartRefusal::WizardOpen:
            Say("安装向导或另一个 QelvanDeploy 正在运行，请等它结束后再试。");
            return false;
        case StartRefusal::UninstallerOpen:
            Say(kCloseUninstallerText);
            return false;
    }
    return false;
}
