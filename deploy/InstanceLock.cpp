#include "deploy/InstanceLock.h"

#include "common/SingleInstance.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "resources/ResourceIds.h"

namespace {
void Release(HANDLE mutex) {
    if (mutex == nullptr) return;
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}
}  // namespace

InstanceLock::~InstanceLock() {
    Release(deployMutex_);
    Release(mutex_);
}

bool InstanceLock::Take() {
    switch (CheckSingleInstance(kWizardMutex, true, mutex_)) {
        case StartRefusal::None:
            deployMutex_ = CreateMutexA(nullptr, TRUE, kDeployMutex);
            return true;
        case StartRefusal::SameNameRuns:
        case StartRefusal::DeployRuns:
        case StartRefusal::WizardOpen:
            SayResourceText(IDS_DEPLOY_ALREADY_RUNNING);
            return false;
        case StartRefusal::UninstallerOpen:
            SayResourceText(IDS_CLOSE_REMOVAL_WINDOW);
            return false;
    }
    return false;
}
