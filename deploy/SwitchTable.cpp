#include "deploy/SwitchTable.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "deploy/Commands.h"
#include "deploy/DeployOutput.h"

namespace {
enum : unsigned {
    kModels = 1,
    kInstall = 2,
    kList = 4,
    kRemove = 8,
    kExport = 16,
    kApply = 32,
    kTestPage = 64,
    kEveryCommand = kModels | kInstall | kList | kRemove | kExport | kApply | kTestPage,
};

const CommandRule kCommands[] = {
    {"models", kModels, nullptr, "列出介质上的型号、本系统是否支持以及端口页会提供的端口（* 为预选）",
     RunModelsCommand},
    {"install", kInstall, "model", "按安装向导的规则安装打印机，不提问", RunInstallCommand},
    {"list", kList, nullptr, "列出使用介质上驱动程序的打印机，以及端口监视器和打印处理器的版本",
     RunListCommand},
    {"remove", kRemove, "printer|all", "删除打印机，以及（按要求）无人使用的驱动程序和组件",
     RunRemoveCommand},
    {"export", kExport, "file", "把本机使用介质上驱动程序的打印机写入配置文件", RunExportCommand},
    {"apply", kApply, "file", "使本机的打印机与配置文件一致：已有的保留，缺少的安装", RunApplyCommand},
    {"testpage", kTestPage, "printer", "在介质的一台打印机上打印测试页（交给打印机的队列）",
     RunTestPageCommand},
};

struct SwitchRule {
    const char* name;
    const char* value;  // what the value stands for; null for a flag, which takes none
    unsigned commands;
    const char* help;
    int serialList;  // the port page's serial list whose texts the value takes (SerialList), or -1
};
constexpr int kNoList = -1;
constexpr int ListOf(SerialList list) {
    return static_cast<int>(list);
}

const SwitchRule kSwitches[] = {
    {"model", "型号", kInstall, "安装介质打印机目录中的型号", kNoList},
    {"port", "端口", kInstall, "端口页会列出的端口；不给时用端口页的预选", kNoList},
    {"advanced", nullptr, kInstall, "高级安装模式（型号提供多个USB接口时）", kNoList},
    {"default", nullptr, kInstall, "设为默认打印机", kNoList},
    {"renumber", nullptr, kInstall | kApply, "同意把连接的USB打印机改为端口的编号", kNoList},
    {"baud", "N", kInstall, "串口波特率", ListOf(SerialList::BaudRate)},
    {"databits", "N", kInstall, "串口数据位", ListOf(SerialList::DataBits)},
    {"parity", "P", kInstall, "串口校验", ListOf(SerialList::Parity)},
    {"stopbits", "S", kInstall, "串口停止位", ListOf(SerialList::StopBits)},
    {"flow", "F", kInstall, "串口流控制", ListOf(SerialList::FlowControl)},
    {"again", nullptr, kInstall, "端口上已有该型号的打印机时仍再装一台（如安装向导）", kNoList},
    {"testpage", nullptr, kInstall | kApply, "在本次新装的每台打印机上打印一张测试页", kNoList},
    {"restart", nullptr, kInstall | kApply, "Windows 98/Me 上安装后重新启动计算机", kNoList},
    {"printer", "名称", kRemove | kTestPage, "要删除或打印测试页的打印机", kNoList},
    {"all", nullptr, kRemove,
     "删除介质的全部打印机；没有介质的东西留下时，也删除程序列表中的项目和本程序装入安装目录的文件", kNoList},
    {"driver", nullptr, kRemove, "同时删除无人使用的驱动程序", kNoList},
    {"components", nullptr, kRemove, "同时删除无人使用的端口监视器、打印处理器和USB端口记录", kNoList},
    {"file", "文件", kExport | kApply, "打印机配置文件", kNoList},
    {"exact", nullptr, kApply, "同时删除配置文件中没有的、使用介质上驱动程序的打印机", kNoList},
    {"medium", "目录", kEveryCommand, "使用该目录中的安装介质", kNoList},
    {"log", "文件", kEveryCommand, "把输出（带时间）附加到该文件", kNoList},
};

const SwitchRule* FindSwitch(const std::string& name) {
    for (const SwitchRule& rule : kSwitches) {
        if (lstrcmpiA(rule.name, name.c_str()) == 0) return &rule;
    }
    return nullptr;
}

std::string Written(const SwitchRule& rule) {
    std::string text = std::string("/") + rule.name;
    return rule.value != nullptr ? text + ":" + rule.value : text;
}

// The command's required switches: one name, or alternatives written "a|b".
std::vector<std::string> RequiredSwitches(const CommandRule& command) {
    std::vector<std::string> names;
    for (const char* at = command.required; at != nullptr && *at != '\0';) {
        const char* bar = strchr(at, '|');
        names.push_back(bar != nullptr ? std::string(at, bar) : std::string(at));
        at = bar != nullptr ? bar + 1 : nullptr;
    }
    return names;
}

std::string WrittenRequired(const CommandRule& command) {
    std::string text;
    for (const std::string& name : RequiredSwitches(command))
        text += (text.empty() ? "" : "|") + Written(*FindSwitch(name));
    return text;
}

bool IsRequired(const CommandRule& command, const char* name) {
    for (const std::string& required : RequiredSwitches(command)) {
        if (lstrcmpiA(required.c_str(), name) == 0) return true;
    }
    return false;
}

bool CheckSwitch(const CommandRule& command, const Switches::Switch& given, const Switches& switches) {
    const SwitchRule* rule = FindSwitch(given.name);
    if (rule == nullptr || (rule->commands & command.bit) == 0) {
        SayFormatted("%s：不认识的参数 %s", command.name, given.typed.c_str());
        return false;
    }
    if (rule->value == nullptr && given.hasValue) {
        SayFormatted("参数 /%s 不带值（写作 /%s）：%s", rule->name, rule->name, given.typed.c_str());
        return false;
    }
    if (rule->value != nullptr && given.value.empty()) {
        SayFormatted("参数 /%s 需要一个值（%s）。", rule->name, Written(*rule).c_str());
        return false;
    }
    int times = 0;
    for (const Switches::Switch& each : switches.All())
        times += lstrcmpiA(each.name.c_str(), rule->name) == 0;
    if (times > 1) {
        SayFormatted("参数 /%s 只能给一次。", rule->name);
        return false;
    }
    return true;
}

// The command's line of the usage: its required switch, then the others it accepts in brackets,
// wrapped with an indent.
void SayCommandUsage(const CommandRule& command) {
    std::string line = std::string("  ") + command.name;
    auto add = [&line](const std::string& word) {
        if (line.size() + 1 + word.size() > 96) {
            Say(line.c_str());
            line = std::string(9, ' ');
        }
        line += " " + word;
    };
    if (command.required != nullptr) add(WrittenRequired(command));
    for (const SwitchRule& rule : kSwitches) {
        bool shared = rule.commands == kEveryCommand;
        if (shared || (rule.commands & command.bit) == 0 || IsRequired(command, rule.name)) continue;
        add("[" + Written(rule) + "]");
    }
    Say(line.c_str());
    SayFormatted("          %s", command.help);
}
}  // namespace

const CommandRule* CheckCommandLine(const Switches& switches) {
    const CommandRule* command = nullptr;
    for (const CommandRule& each : kCommands) {
        if (lstrcmpiA(each.name, switches.Command().c_str()) == 0) command = &each;
    }
    if (command == nullptr) {
        if (switches.Command().empty())
            Say("没有给出命令。");
        else
            SayFormatted("不认识的命令：%s", switches.Command().c_str());
        SayUsage();
        return nullptr;
    }
    if (!switches.Strays().empty()) {
        SayFormatted("%s：不认识的参数 %s", command->name, switches.Strays().front().c_str());
        return nullptr;
    }
    for (const Switches::Switch& given : switches.All()) {
        if (!CheckSwitch(*command, given, switches)) return nullptr;
    }
    int given = 0;
    for (const std::string& name : RequiredSwitches(*command)) {
        const SwitchRule* rule = FindSwitch(name);
        given += rule->value != nullptr ? switches.Value(rule->name) != nullptr : switches.Has(rule->name);
    }
    if (command->required != nullptr && given != 1) {
        SayFormatted(given == 0 ? "%s：缺少 %s" : "%s：%s 只能给一个", command->name,
                     WrittenRequired(*command).c_str());
        return nullptr;
    }
    return command;
}

bool SerialListOfSwitch(const std::string& name, SerialList& list) {
    const SwitchRule* rule = FindSwitch(name);
    if (rule == nullptr || rule->serialList == kNoList) return false;
    list = static_cast<SerialList>(rule->serialList);
    return true;
}

void SayUsage() {
    Say("用法：QelvanDeploy 命令 [参数]");
    for (const CommandRule& command : kCommands) SayCommandUsage(command);
    Say("参数：");
    for (const SwitchRule& rule : kSwitches) {
        std::string texts;
        if (rule.serialList != kNoList)
            texts = "（" + SerialListTexts(static_cast<SerialList>(rule.serialList), "、") + "）";
        SayFormatted("  %-16s%s%s", Written(rule).c_str(), rule.help, texts.c_str());
    }
    Say("退出码：0 完成；3010 完成，需要重新启动；1641 已开始重新启动；1603 安装、删除或测试页失败；");
    Say("        1639 参数错误或选择被拒绝；1618 安装向导或另一个 QelvanDeploy 正在运行；1619 "
        "无法读取安装介质");
}
