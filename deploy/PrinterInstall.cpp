#include "deploy/PrinterInstall.h"

#include "choices/InstallRecords.h"
#include "choices/InstallRules.h"
#include "deploy/DeployChoice.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "engine/DefaultPrinter.h"
#include "engine/DriverFileCopy.h"
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
// the request's renumbering consent.
bool CheckUsbPrinter(const InstallRequest& request, int deviceId, const InstallChoices& choices,
                     int& exitCode) {
    exitCode = kExitRefused;
    UsbCheckResult check = CheckUsbNumbering(installMode, deviceId, choices.portName);
    switch (check.action) {
        case UsbCheck::Proceed:
            return true;
        case UsbCheck::NeedPrinter:
            SayResourceText(IDS_CONNECT_USB_PRINTER);
            return false;
        case UsbCheck::Stop:
            return false;
        case UsbCheck::AskRenumber:
            if (!request.renumber) {
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

// The engine's message runs a copy failure's name, number and path together, as the wizard shows it;
// a line of its own names each for the log's reader.
void SayCopyFailure() {
    const CopyFailure& failure = LastCopyFailure();
    if (failure.name[0] == '\0') return;
    if (failure.refusedName) {
        SayFormatted(
            "未复制的文件：%s（来源 %s）：配置中的文件名含路径（\\、/、: 或 "
            "..），只接受介质系统目录中的文件名。",
            failure.name, failure.source);
        return;
    }
    SayFormatted("未复制的文件：%s，来源 %s，错误号 %lu", failure.name, failure.source,
                 static_cast<unsigned long>(failure.error));
}

bool RunEngine(InstallChoices& choices) {
    StepLines lines;
    std::atomic<int> finishState{Running};
    resultMessage[0] = '\0';
    ForgetCopyFailure();
    EngineTask task = {&choices, &finishState, &lines};
    RunInstallation(&task);
    Say(resultMessage[0] != '\0' ? resultMessage : "打印机驱动安装成功！");
    if (finishState != Succeeded) {
        SayCopyFailure();
        return false;
    }
    // On Windows 98/Me the engine leaves no text of its own on success: a text there is a step's failure.
    if (choices.targetSystem == Windows98Me && resultMessage[0] != '\0') {
        SayCopyFailure();
        Say("安装未完成：引擎留下了上面的错误信息。");
        return false;
    }
    return true;
}
}  // namespace

bool PrepareInstall(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    if (!MakeChoices(request, deviceId, choices) || !CheckPortKind(choices)) return false;
    if (choices.targetSystem == WindowsNT4 && choices.portKind == Usb) {
        SayResourceText(IDS_NT4_NO_USB);
        return false;
    }
    choices.config.currentCategory = choices.category;
    FillInstallRecords(choices);
    return CheckDriverRecords(choices);
}

int InstallPrepared(const InstallRequest& request, int deviceId, InstallChoices& choices) {
    int refusal = kExitRefused;
    if (choices.portKind == Usb && !CheckUsbPrinter(request, deviceId, choices, refusal)) return refusal;
    ApplyPortNaming(choices);
    if (!RunEngine(choices)) return kExitFailed;
    SayFormatted("打印机：%s", choices.modelName);
    if (choices.setAsDefault && !IsDefaultPrinter(choices.modelName)) {
        Say("未能设为默认打印机：系统的默认打印机仍是另一台。");
        return kExitFailed;
    }
    return kExitDone;
}
