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
}  // namespace

bool PropertyIsOn(const std::string& value) {
    return !value.empty() && value != "0" && lstrcmpiA(value.c_str(), "No") != 0;
}

std::string ChosenProfile(const std::string& profileProperty, const std::string& originalDatabase) {
    if (!profileProperty.empty()) return profileProperty;
    size_t slash = originalDatabase.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    return originalDatabase.substr(0, slash + 1) + kProfileBesidePackage;
}

std::string ApplyCommandLine(const PackageSettings& settings) {
    std::string line = Program(settings) + " apply /file:" + Quoted(settings.profile);
    if (settings.exact) line += " /exact";
    if (settings.renumber) line += " /renumber";
    if (settings.testPage) line += " /testpage";
    return line + LogSwitch(settings);
}

std::string RemoveCommandLine(const PackageSettings& settings) {
    return Program(settings) + " remove /all /driver /components" + LogSwitch(settings);
}
