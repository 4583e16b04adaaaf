#include "deploy/Registration.h"

#include <string>

#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "removal/ProgramEntry.h"

void RegisterWhatIsInstalled() {
    TargetSystem system = RunningSystem();
    if (NothingOfMediumLeft(ReadMediumNames(system), system)) return;
    DWORD error = 0;
    std::string step;
    if (RegisterProgramEntry(system, error, step)) return;
    SayWithError(("未能登记到“添加或删除程序”（" + step + "）；打印机已安装").c_str(), error);
}
