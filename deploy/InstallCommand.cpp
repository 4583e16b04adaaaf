// QelvanDeploy install: the wizard's Install command without its windows. The choices come from the
// switches through the pages' rules (DeployChoice), then the command's own checks, the filling of the
// installation record, the USB numbering and naming, and the installation engine, unchanged.
#include <memory>

#include "choices/InstallRecords.h"
#include "choices/InstallRules.h"
#include "deploy/Commands.h"
#include "deploy/DeployChoice.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/Registration.h"
#include "engine/InstallationSequence.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDevice.h"

namespace {
// Says each engine step as it begins, in the order of EngineStep.
class StepLines : public EngineObserver {
public:
    void OnStep(EngineStep step) override {
        static const char* const kStepTexts[] = {
            "正在安装端口监视器……",     "正在安装打印处理器……", "正在复制驱动程序文件……",
            "正在安装打印机驱动程序……", "正在添加打印机……",     "正在设为默认打印机……",
            "正在写入串口设置……",
        };
        Say(kStepTexts[static_cast<int>(step)]);
    }
};

// The Install command's refusal of a port it cannot install on.
bool CheckPortKind(InstallChoices& choices) {
    int portKind = DerivePortKind(choices.portName);
    if (portKind < 0) {
        SayResourceText(IDS_PORT_NOT_SUPPORTED);
        return false;
    }
    choices.portKind = static_cast<PortKind>(portKind);
    return true;
}

// The connected USB printer must carry the port's number; the wizard's question 143 is answered by
// /renumber.
bool CheckUsbPrinter(const Switches& switches, const InstallChoices& choices, int& exitCode) {
    exitCode = kExitRefused;
    UsbCheckResult check = CheckUsbNumbering(installMode, GetUsbDeviceId(), choices.portName);
    switch (check.action) {
        case UsbCheck::Proceed:
            return true;
        case UsbCheck::NeedPrinter:
            SayResourceText(IDS_CONNECT_USB_PRINTER);
            return false;
        case UsbCheck::Stop:
            return false;
        case UsbCheck::AskRenumber:
            if (!switches.Has("renumber")) {
                SayResourceText(IDS_RENUMBER_QUESTION);
                Say("（用 /renumber 同意重新编号。）");
                return false;
            }
            SayFormatted("正在把USB打印机编号改为 %d……", check.targetNumber);
            exitCode = kExitFailed;
            return ChangeUsbDeviceId(static_cast<unsigned char>(check.targetNumber));
    }
    return false;
}

int RunEngine(InstallChoices& choices) {
    StepLines lines;
    std::atomic<int> finishState{Running};
    resultMessage[0] = '\0';
    EngineTask task = {&choices, &finishState, &lines};
    RunInstallation(&task);
    Say(resultMessage[0] != '\0' ? resultMessage : "打印机驱动安装成功！");
    if (finishState != Succeeded) return kExitFailed;
    SayFormatted("打印机：%s", choices.modelName);
    return kExitDone;
}

// On Windows 98/Me the wizard offers a restart; here /restart asks for it, otherwise the exit code
// says one is needed.
int FinishOnWindows98(const Switches& switches) {
    if (!switches.Has("restart")) {
        Say("需要重新启动计算机才能完成安装。");
        return kExitRestartNeeded;
    }
    Say("正在重新启动计算机……");
    if (ExitWindowsEx(EWX_REBOOT, 0)) return kExitDone;
    SayResourceText(IDS_RESTART_FAILED);
    return kExitRestartNeeded;
}
}  // namespace

int RunInstallCommand(const Switches& switches) {
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;

    // The record holds the configuration reader's buffers: too large for the stack of every system.
    std::unique_ptr<InstallChoices> choices(new InstallChoices);
    if (!MakeChoices(switches, *choices) || !CheckPortKind(*choices)) return kExitRefused;
    choices->config.currentCategory = choices->category;
    SayFormatted("安装 %s，端口 %s", choices->modelName, choices->portName);
    FillInstallRecords(*choices);
    int refusal = kExitRefused;
    if (choices->portKind == Usb && !CheckUsbPrinter(switches, *choices, refusal)) return refusal;
    ApplyPortNaming(*choices);
    if (choices->targetSystem == WindowsNT4 && choices->portKind == Usb) {
        SayResourceText(IDS_NT4_NO_USB);
        return kExitRefused;
    }
    int result = RunEngine(*choices);
    if (result == kExitDone) RegisterAfterInstallation();
    if (result != kExitDone || choices->targetSystem != Windows98Me) return result;
    return FinishOnWindows98(switches);
}
