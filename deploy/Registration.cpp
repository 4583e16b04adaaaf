#include "deploy/Registration.h"

#include <string>

#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "removal/ProgramEntry.h"

void RegisterAfterInstallation() {
    DWORD error = 0;
    std::string step;
    if (RegisterProgramEntry(RunningSystem(), error, step)) return;
    SayWithError(("未能登记到“添加或删除程序”（" + step + "）；打印机已安装").c_str(), error);
}
