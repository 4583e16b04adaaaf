#include "deploy/SwitchTable.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/ResourceText.h"
#include "deploy/Commands.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"

namespace {
enum : unsigned {
    kModels = 1,
    kInstall = 2,
    kList = 4,
    kRemove = 8,
    kExport = 16,
    kApply = 32,
    kTestPage = 64,
    kCheck = 128,
    kRollback = 256,
    kCommit = 512,
    kRepair = 1024,
    kEveryCommand = kModels | kInstall | kList | kRemove | kExport | kApply | kTestPage | kCheck | kRollback |
                    kCommit | kRepair,
};

const CommandRule kCommands[] = {
    {"models", kModels, nullptr, IDS_DEPLOY_HELP_MODELS, RunModelsCommand},
    {"install", kInstall, "model", IDS_DEPLOY_HELP_INSTALL, RunInstallCommand},
    {"list", kList, nullptr, IDS_DEPLOY_HELP_LIST, RunListCommand},
    {"remove", kRemove, "printer|all", IDS_DEPLOY_HELP_REMOVE, RunRemoveCommand},
    {"export", kExport, "file", IDS_DEPLOY_HELP_EXPORT, RunExportCommand},
    {"apply", kApply, "file", IDS_DEPLOY_HELP_APPLY, RunApplyCommand},
    {"testpage", kTestPage, "printer", IDS_DEPLOY_HELP_TESTPAGE, RunTestPageCommand},
    {"check", kCheck, nullptr, IDS_DEPLOY_HELP_CHECK, RunCheckCommand},
    {"repair", kRepair, nullptr, IDS_DEPLOY_HELP_REPAIR, RunRepairCommand},
    {"rollback", kRollback, "journal", IDS_DEPLOY_HELP_ROLLBACK, RunRollbackCommand},
    {"commit", kCommit, "journal", IDS_DEPLOY_HELP_COMMIT, RunCommitCommand},
};

struct SwitchRule {
    const char* name;
    UINT value;  // what the value stands for (string table); 0 for a flag, which takes none
    unsigned commands;
    UINT help;       // what the switch does (string table)
    int serialList;  // the port page's serial list whose texts the value takes (SerialList), or -1
};
constexpr int kNoList = -1;
constexpr int ListOf(SerialList list) {
    return static_cast<int>(list);
}

const SwitchRule kSwitches[] = {
    {"model", IDS_DEPLOY_VALUE_MODEL, kInstall, IDS_DEPLOY_HELP_MODEL, kNoList},
    {"port", IDS_DEPLOY_VALUE_PORT, kInstall, IDS_DEPLOY_HELP_PORT, kNoList},
    {"advanced", 0, kInstall, IDS_DEPLOY_HELP_ADVANCED, kNoList},
    {"default", 0, kInstall, IDS_DEPLOY_HELP_DEFAULT, kNoList},
    {"renumber", 0, kInstall | kApply, IDS_DEPLOY_HELP_RENUMBER, kNoList},
    {"baud", IDS_DEPLOY_VALUE_NUMBER, kInstall, IDS_DEPLOY_HELP_BAUD, ListOf(SerialList::BaudRate)},
    {"databits", IDS_DEPLOY_VALUE_NUMBER, kInstall, IDS_DEPLOY_HELP_DATA_BITS, ListOf(SerialList::DataBits)},
    {"parity", IDS_DEPLOY_VALUE_PARITY, kInstall, IDS_DEPLOY_HELP_PARITY, ListOf(SerialList::Parity)},
    {"stopbits", IDS_DEPLOY_VALUE_STOP_BITS, kInstall, IDS_DEPLOY_HELP_STOP_BITS,
     ListOf(SerialList::StopBits)},
    {"flow", IDS_DEPLOY_VALUE_FLOW, kInstall, IDS_DEPLOY_HELP_FLOW, ListOf(SerialList::FlowControl)},
    {"again", 0, kInstall, IDS_DEPLOY_HELP_AGAIN, kNoList},
    {"testpage", 0, kInstall | kApply, IDS_DEPLOY_HELP_PRINT_TEST_PAGE, kNoList},
    {"restart", 0, kInstall | kApply, IDS_DEPLOY_HELP_RESTART, kNoList},
    {"printer", IDS_DEPLOY_VALUE_NAME, kRemove | kTestPage | kCheck | kRepair, IDS_DEPLOY_HELP_PRINTER,
     kNoList},
    {"all", 0, kRemove, IDS_DEPLOY_HELP_ALL, kNoList},
    {"driver", 0, kRemove, IDS_DEPLOY_HELP_DRIVER, kNoList},
    {"components", 0, kRemove, IDS_DEPLOY_HELP_COMPONENTS, kNoList},
    {"file", IDS_DEPLOY_VALUE_FILE, kExport | kApply, IDS_DEPLOY_HELP_FILE, kNoList},
    {"exact", 0, kApply, IDS_DEPLOY_HELP_EXACT, kNoList},
    {"jobs", 0, kRepair, IDS_DEPLOY_HELP_JOBS, kNoList},
    {"journal", IDS_DEPLOY_VALUE_DIRECTORY, kApply | kRollback | kCommit, IDS_DEPLOY_HELP_JOURNAL, kNoList},
    {"medium", IDS_DEPLOY_VALUE_DIRECTORY, kEveryCommand, IDS_DEPLOY_HELP_MEDIUM, kNoList},
    {"log", IDS_DEPLOY_VALUE_FILE, kEveryCommand, IDS_DEPLOY_HELP_LOG, kNoList},
};

const SwitchRule* FindSwitch(const std::string& name) {
    for (const SwitchRule& rule : kSwitches) {
        if (lstrcmpiA(rule.name, name.c_str()) == 0) return &rule;
    }
    return nullptr;
}

std::string Written(const SwitchRule& rule) {
    std::string text = std::string("/") + rule.name;
    return rule.value != 0 ? text + ":" + ResourceText(rule.value) : text;
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
        SayResourceFormatted(IDS_DEPLOY_UNKNOWN_SWITCH, command.name, given.typed.c_str());
        return false;
    }
    if (rule->value == 0 && given.hasValue) {
        SayResourceFormatted(IDS_DEPLOY_FLAG_GIVEN_VALUE, rule->name, rule->name, given.typed.c_str());
        return false;
    }
    if (rule->value != 0 && given.value.empty()) {
        SayResourceFormatted(IDS_DEPLOY_VALUE_MISSING, rule->name, Written(*rule).c_str());
        return false;
    }
    int times = 0;
    for (const Switches::Switch& each : switches.All())
        times += lstrcmpiA(each.name.c_str(), rule->name) == 0;
    if (times > 1) {
        SayResourceFormatted(IDS_DEPLOY_SWITCH_TWICE, rule->name);
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
    SayFormatted("          %s", ResourceText(command.help).c_str());
}
}  // namespace

const CommandRule* CheckCommandLine(const Switches& switches) {
    const CommandRule* command = nullptr;
    for (const CommandRule& each : kCommands) {
        if (lstrcmpiA(each.name, switches.Command().c_str()) == 0) command = &each;
    }
    if (command == nullptr) {
        if (switches.Command().empty())
            SayResourceText(IDS_DEPLOY_NO_COMMAND);
        else
            SayResourceFormatted(IDS_DEPLOY_UNKNOWN_COMMAND, switches.Command().c_str());
        SayUsage();
        return nullptr;
    }
    if (!switches.Strays().empty()) {
        SayResourceFormatted(IDS_DEPLOY_UNKNOWN_SWITCH, command->name, switches.Strays().front().c_str());
        return nullptr;
    }
    for (const Switches::Switch& given : switches.All()) {
        if (!CheckSwitch(*command, given, switches)) return nullptr;
    }
    int given = 0;
    for (const std::string& name : RequiredSwitches(*command)) {
        const SwitchRule* rule = FindSwitch(name);
        given += rule->value != 0 ? switches.Value(rule->name) != nullptr : switches.Has(rule->name);
    }
    if (command->required != nullptr && given != 1) {
        SayResourceFormatted(given == 0 ? IDS_DEPLOY_REQUIRED_MISSING : IDS_DEPLOY_REQUIRED_TWICE,
                             command->name, WrittenRequired(*command).c_str());
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
    SayResourceText(IDS_DEPLOY_USAGE);
    for (const CommandRule& command : kCommands) SayCommandUsage(command);
    SayResourceText(IDS_DEPLOY_USAGE_SWITCHES);
    std::string separator = ResourceText(IDS_DEPLOY_LIST_SEPARATOR);
    for (const SwitchRule& rule : kSwitches) {
        std::string texts;
        if (rule.serialList != kNoList) {
            std::string list = SerialListTexts(static_cast<SerialList>(rule.serialList), separator.c_str());
            texts = FormatResource(IDS_DEPLOY_USAGE_LIST_TEXTS, list.c_str());
        }
        SayFormatted("  %-16s%s%s", Written(rule).c_str(), ResourceText(rule.help).c_str(), texts.c_str());
    }
    // The exit codes take two lines: the table's text breaks them with "\n".
    SayResourceText(IDS_DEPLOY_USAGE_EXIT_CODES);
}
