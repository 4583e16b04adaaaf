// The package's custom actions. QelvanPrepare (immediate, before anything changes) reads the
// properties, finds the profile and hands the command line to the deferred action of this run:
// QelvanApply on installation, upgrade and repair, QelvanRemove on removal. The deferred actions run the
// installed medium's QelvanDeploy.exe in the system account's phase, send each line it prints to the
// Installer's log and turn its exit code into the Installer's answer.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <deque>
#include <string>

#include "msi/ChildLines.h"
#include "msi/InstallerLog.h"
#include "msi/PackageSettings.h"
#include "msi/PackageTextIds.h"

namespace {
// QelvanDeploy's exit codes the Installer takes as done.
constexpr DWORD kDeployDone = 0;
constexpr DWORD kDeployRestartNeeded = 3010;
// The lines a failure's box repeats: the reason is among the last ones printed.
constexpr size_t kLinesShownOnFailure = 12;
// The package's marker (the registry table writes it; removal/PackageEntry.cpp reads it).
const char kPackageMarkerKey[] = "SOFTWARE\\Qelvan\\PrinterDriversPackage";
// A newer package's note that it is replacing an older one, for the older one's removal that runs
// inside it: Windows tells that removal by UPGRADINGPRODUCTCODE, Wine's Installer does not (it runs
// "msiexec /i {product} REMOVE=ALL" alone). The note holds the time it was written and counts only for a
// while, so that one an interrupted upgrade left never keeps a later removal from removing.
const char kUpgradeNoteKey[] = "SOFTWARE\\Qelvan\\PackageUpgrade";
const char kUpgradeNoteValue[] = "Started";
constexpr unsigned long long kUpgradeNoteLife = 30ULL * 60 * 10000000;  // 30 minutes in 100 ns

unsigned long long Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::string Property(MSIHANDLE install, const char* name) {
    char small[1] = {};
    DWORD length = 0;
    if (MsiGetPropertyA(install, name, small, &length) != ERROR_MORE_DATA) return std::string();
    std::string value(length + 1, '\0');
    length = static_cast<DWORD>(value.size());
    if (MsiGetPropertyA(install, name, &value[0], &length) != ERROR_SUCCESS) return std::string();
    value.resize(length);
    return value;
}

PackageSettings ReadSettings(MSIHANDLE install) {
    PackageSettings settings;
    settings.programFolder = Property(install, "INSTALLDIR");
    if (!settings.programFolder.empty() && settings.programFolder.back() != '\\')
        settings.programFolder += '\\';
    settings.log = Property(install, "QELVANLOG");
    settings.exact = PropertyIsOn(Property(install, "EXACT"));
    settings.renumber = PropertyIsOn(Property(install, "RENUMBER"));
    settings.testPage = PropertyIsOn(Property(install, "TESTPAGE"));
    return settings;
}

// True while a newer package of ours replaces this one: the removal then leaves the printers.
bool UpgradeUnderWay(MSIHANDLE install) {
    if (!Property(install, "UPGRADINGPRODUCTCODE").empty()) return true;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUpgradeNoteKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    unsigned long long noted = 0;
    DWORD size = sizeof noted;
    DWORD type = 0;
    bool read = RegQueryValueExA(key, kUpgradeNoteValue, nullptr, &type, reinterpret_cast<BYTE*>(&noted),
                                 &size) == ERROR_SUCCESS &&
                type == REG_BINARY && size == sizeof noted;
    RegCloseKey(key);
    unsigned long long now = Now();
    return read && noted <= now && now - noted < kUpgradeNoteLife;
}

bool IsReadableFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// False, with the reason shown, when there is no profile to apply.
bool ChooseProfile(MSIHANDLE install, PackageSettings& settings) {
    std::string given = Property(install, "PROFILE");
    settings.profile = ChosenProfile(given, Property(install, "OriginalDatabase"));
    if (IsReadableFile(settings.profile)) return true;
    UINT text = given.empty() ? IDS_PACKAGE_NO_PROFILE : IDS_PACKAGE_PROFILE_MISSING;
    ShowError(install, PackageText(text, given.empty() ? settings.profile.c_str() : given.c_str()).c_str());
    return false;
}

UINT RunDeploy(MSIHANDLE install) {
    std::string commandLine = Property(install, "CustomActionData");
    std::deque<std::string> lastLines;
    auto onLine = [&](const std::string& line) {
        LogLine(install, line.c_str());
        lastLines.push_back(line);
        if (lastLines.size() > kLinesShownOnFailure) lastLines.pop_front();
    };
    DWORD exitCode = 0;
    DWORD error = 0;
    if (!RunForLines(commandLine, std::string(), onLine, exitCode, error)) {
        ShowError(install, PackageText(IDS_PACKAGE_NOT_STARTED, commandLine.c_str(), error).c_str());
        return ERROR_INSTALL_FAILURE;
    }
    if (exitCode == kDeployDone) return ERROR_SUCCESS;
    if (exitCode == kDeployRestartNeeded) {
        // The Installer asks for the restart at its end (3010 under /qn): never one of our own.
        MsiSetMode(install, MSIRUNMODE_REBOOTATEND, TRUE);
        LogLine(install, PackageText(IDS_PACKAGE_RESTART_REQUESTED).c_str());
        return ERROR_SUCCESS;
    }
    std::string reason = PackageText(IDS_PACKAGE_DEPLOY_FAILED, static_cast<int>(exitCode));
    for (const std::string& line : lastLines) reason += "\r\n" + line;
    ShowError(install, reason.c_str());
    return ERROR_INSTALL_FAILURE;
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) SetTextModule(instance);
    return TRUE;
}

extern "C" UINT __stdcall QelvanPrepare(MSIHANDLE install) {
    PackageSettings settings = ReadSettings(install);
    if (lstrcmpiA(Property(install, "REMOVE").c_str(), "ALL") == 0) {
        // The removal part of an older package is skipped in an upgrade: QelvanRemove gets nothing to run.
        if (UpgradeUnderWay(install))
            LogLine(install, PackageText(IDS_PACKAGE_REMOVAL_SKIPPED_FOR_UPGRADE).c_str());
        else
            MsiSetPropertyA(install, "QelvanRemove", RemoveCommandLine(settings).c_str());
        return ERROR_SUCCESS;
    }
    if (!ChooseProfile(install, settings)) return ERROR_INSTALL_FAILURE;
    MsiSetPropertyA(install, "QelvanApply", ApplyCommandLine(settings).c_str());
    return ERROR_SUCCESS;
}

// Immediate, before RemoveExistingProducts, only when the package replaces an older one of ours.
extern "C" UINT __stdcall QelvanNoteUpgrade(MSIHANDLE) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUpgradeNoteKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    unsigned long long now = Now();
    RegSetValueExA(key, kUpgradeNoteValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&now), sizeof now);
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall QelvanApply(MSIHANDLE install) {
    UINT result = RunDeploy(install);
    // The older package's removal is over by now: the note goes, however the installation ends.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUpgradeNoteKey);
    return result;
}

extern "C" UINT __stdcall QelvanRemove(MSIHANDLE install) {
    // Nothing handed over: the removal of an older package that a newer one replaces.
    if (Property(install, "CustomActionData").empty()) return ERROR_SUCCESS;
    UINT result = RunDeploy(install);
    // The marker goes with the drivers, whatever the Installer's count of the marker's component says
    // (Wine keeps a failed installation's count): the wizard registers its own entry again afterwards.
    if (result == ERROR_SUCCESS) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPackageMarkerKey);
    return result;
}
