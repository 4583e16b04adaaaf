#include "msi/PackageSettings.h"

#include <windows.h>

const char kProfileBesidePackage[] = "QelvanProfile.ini";

namespace {
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Program(const PackageSettings& settings) {
    return Quoted(settings.programFolder + "QelvanDeploy.exe");
}

std::string LogSwitch(const PackageSettings& settings) {
    return settings.log.empty() ? std::string() : " /log:" + Quoted(settings.log);
}

std::string JournalSwitch(const PackageSettings& settings) {
    return " /journal:" + Quoted(settings.journal);
}
}  // namespace

bool ReadSwitchProperty(const std::string& value, bool& on) {
    const char* on_[] = {"1", "Yes"};
    const char* off[] = {"", "0", "No"};
    for (const char* text : on_) {
        if (lstrcmpiA(value.c_str(), text) == 0) return on = true;
    }
    for (const char* text : off) {
        if (lstrcmpiA(value.c_str(), text) == 0) {
            on = false;
            return true;
        }
    }
    return false;
}

std::string ProfileBesidePackage(const std::string& originalDatabase) {
    size_t slash = originalDatabase.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    return originalDatabase.substr(0, slash + 1) + kProfileBesidePackage;
}

std::string AppliedProfilePath(const std::string& journal) {
    return journal + ".ini";
}

std::string ApplyCommandLine(const PackageSettings& settings) {
    std::string line = Program(settings) + " apply /file:" + Quoted(AppliedProfilePath(settings.journal));
    if (settings.exact) line += " /exact";
    if (settings.renumber) line += " /renumber";
    if (settings.testPage) line += " /testpage";
    return line + JournalSwitch(settings) + LogSwitch(settings);
}

std::string RollbackCommandLine(const PackageSettings& settings, const std::string& runFolder) {
    return Quoted(runFolder + "\\QelvanDeploy.exe") + " rollback" + JournalSwitch(settings) +
           " /medium:" + Quoted(runFolder) + LogSwitch(settings);
}

std::string CommitCommandLine(const PackageSettings& settings) {
    return Program(settings) + " commit" + JournalSwitch(settings) + LogSwitch(settings);
}

std::string RemoveCommandLine(const PackageSettings& settings, const std::string& mediumFolder) {
    return Quoted(mediumFolder + "\\QelvanDeploy.exe") +
           " remove /all /driver /components /medium:" + Quoted(mediumFolder) + LogSwitch(settings);
}

std::string PackedFields(const std::vector<std::string>& fields) {
    std::string data;
    for (size_t i = 0; i < fields.size(); ++i) data += (i == 0 ? "" : "\n") + fields[i];
    return data;
}

std::vector<std::string> UnpackedFields(const std::string& data) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end = data.find('\n'); end != std::string::npos; end = data.find('\n', start)) {
        fields.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(data.substr(start));
    return fields;
}
