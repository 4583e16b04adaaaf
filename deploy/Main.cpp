// QelvanDeploy: installs, lists and removes the medium's printers without a person at the screen, with
// the wizard's own rules and engine. Run from the medium (or with /medium:DIR); /? prints the usage.
#include <windows.h>

#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"

namespace {
const char* const kUsage[] = {
    "用法：QelvanDeploy 命令 [参数]",
    "  models                     列出介质上的型号、本系统是否支持以及端口页会提供的端口（* 为预选）",
    "  install /model:型号 [/port:端口] [/advanced] [/default] [/renumber]",
    "          [/baud:N /databits:N /parity:P /stopbits:S /flow:F] [/restart]",
    "                             按安装向导的规则安装打印机，不提问",
    "  list                       列出使用介质上驱动程序的打印机，以及端口监视器和打印处理器的版本",
    "  remove /printer:名称 [/driver] [/components]",
    "                             删除打印机；/driver 同时删除无人使用的驱动程序；",
    "                             /components 同时删除无人使用的端口监视器、打印处理器和USB端口记录",
    "  通用参数：/medium:目录  使用该目录中的安装介质；/log:文件  把输出附加到该文件",
    "退出码：0 完成；3010 完成，需要重新启动；1603 安装或删除失败；1639 参数错误或选择被拒绝；",
    "        1618 安装向导或另一个 QelvanDeploy 正在运行；1619 无法读取安装介质",
};

void SayUsage() {
    for (const char* line : kUsage) Say(line);
}

int RunCommand(const Switches& switches) {
    const std::string& command = switches.Command();
    if (lstrcmpiA(command.c_str(), "models") == 0) return RunModelsCommand(switches);
    if (lstrcmpiA(command.c_str(), "install") == 0) return RunInstallCommand(switches);
    if (lstrcmpiA(command.c_str(), "list") == 0) return RunListCommand(switches);
    if (lstrcmpiA(command.c_str(), "remove") == 0) return RunRemoveCommand(switches);
    SayFormatted("不认识的命令：%s", command.c_str());
    SayUsage();
    return kExitRefused;
}
}  // namespace

int main(int argc, char** argv) {
    Switches switches(argc, argv);
    if (switches.Has("?") || switches.Command().empty()) {
        SayUsage();
        return switches.Has("?") ? kExitDone : kExitRefused;
    }
    const char* valued[] = {"model", "port",    "baud", "databits", "parity", "stopbits",
                            "flow",  "printer", "log",  "medium",   nullptr};
    std::string missing;
    if (switches.MissingValue(valued, missing)) {
        SayFormatted("参数 %s 需要一个值（%s:值）。", missing.c_str(), missing.c_str());
        return kExitRefused;
    }
    if (switches.Value("log") != nullptr && !OpenDeployLog(switches.Value("log"))) {
        SayWithError("无法打开日志文件", GetLastError());
        return kExitRefused;
    }
    RouteMessagesToOutput();
    int exitCode = OpenMedium(switches.Value("medium")) ? RunCommand(switches) : kExitNoMedium;
    SayFormatted("退出码：%d", exitCode);
    CloseDeployLog();
    return exitCode;
}
