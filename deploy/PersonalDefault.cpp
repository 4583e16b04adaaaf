#include "deploy/PersonalDefault.h"

#include "deploy/DeployOutput.h"
#include "engine/SystemAccount.h"

bool DefaultPrinterIsAPersons(const char* undone) {
    if (!RunsAsSystemAccount()) return true;
    SayFormatted(
        "%s：默认打印机属于每个用户，本程序正以系统帐户运行，在此设置只会改变系统帐户自己的默认打印机。"
        "请在用户的登录脚本中设置：rundll32 printui.dll,PrintUIEntry /y /n \"打印机名\"（Windows 2000 "
        "及以后）；用户是管理员时也可运行 QelvanDeploy install /model:型号 /default。",
        undone);
    return false;
}
