#include "deploy/DriverUpdate.h"

#include "deploy/DeployOutput.h"
#include "deploy/DriverComparison.h"
#include "engine/InstallationSequence.h"

bool UpdateDriverFromMedium(InstallChoices& choices, bool& updated) {
    updated = false;
    const char* driver = choices.driverInfo.pName;
    DriverComparison before = CompareDriverWithMedium(driver, choices.targetSystem);
    if (before.state != DriverAgainstMedium::Older) return true;
    MessageText message = {};
    if (!InstallDriver(choices, true, message)) {
        Say(message);
        SayFormatted("未能更新驱动程序 %s：%s", driver, DescribeComparison(before).c_str());
        return false;
    }
    DriverComparison after = CompareDriverWithMedium(driver, choices.targetSystem);
    if (after.state == DriverAgainstMedium::Older) {
        SayFormatted("未能更新驱动程序 %s：添加后仍是%s", driver, DescribeComparison(after).c_str());
        return false;
    }
    SayFormatted("已更新：驱动程序 %s（原先%s）", driver, DescribeComparison(before).c_str());
    updated = true;
    return true;
}
