// The package's custom actions. QelvanPrepare (immediate, before the script changes anything) decides
// everything that can refuse a run: the properties' values, the profile found and read in the user's
// own context, another run of ours at work; it hands what the deferred phase needs on to the actions of
// this run. On installation, upgrade and repair: QelvanApply runs the installed medium's QelvanDeploy
// apply under a journal, QelvanRollback undoes that run when the installation fails after it began,
// QelvanCommit lets the journal go when it succeeded. On removal: QelvanRemove runs the package's own
// copy of QelvanDeploy (carried in the package, so that a damaged program folder cannot stop it), only
// when no other version of the package is installed or being installed.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <deque>
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "common/HexText.h"
#include "common/SingleInstance.h"
#include "common/SystemFolders.h"
#include "common/WholeFile.h"
#include "msi/ChildLines.h"
#include "msi/InstallerLog.h"
#include "msi/PackageMemory.h"
#include "msi/PackageSettings.h"
#include "msi/PackageTextIds.h"
#include "msi/ProgramFolderCopy.h"
#include "msi/RemovalMedium.h"
#include "msi/UpgradeRegistration.h"

namespace {
// QelvanDeploy's exit codes the Installer takes as done.
constexpr DWORD kDeployDone = 0;
constexpr DWORD kDeployRestartNeeded = 3010;
// The lines a failure's box repeats in a run with a user interface: the reason is among the last ones.
constexpr size_t kLinesShownOnFailure = 12;
// A profile is a short INI file; anything larger is not one.
constexpr DWORD kLargestProfile = 256 * 1024;
// The switch properties, each remembered with the product.
const char* const kSwitchProperties[] = {"EXACT", "RENUMBER", "TESTPAGE"};

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

bool Quiet(MSIHANDLE install) {
    return atoi(Property(install, "UILevel").c_str()) <= INSTALLUILEVEL_NONE;
}

// The folder of this run's journal, new for each run (apply makes it and refuses one that is there):
// the system's temporary folder, which the system account of the deferred phase writes on every
// system, under a name nobody can have taken before.
std::string JournalFolder() {
    std::string folder = WindowsFolder();
    if (folder.empty()) return std::string();
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    char name[96] = {};
    FormatText(name, sizeof name, "\\Temp\\QelvanRun-%lu-%lu-%08lx", GetCurrentProcessId(), GetTickCount(),
               static_cast<unsigned long>(counter.LowPart));
    return folder + name;
}

bool IsRepair(MSIHANDLE install) {
    return !Property(install, "Installed").empty();
}

// A property not given on a repair or removal takes the value remembered with the product.
std::string GivenOrRemembered(MSIHANDLE install, const char* name, bool remembered) {
    std::string value = Property(install, name);
    return value.empty() && remembered ? RememberedProperty(name) : value;
}

// False, with the property named, when a switch property holds anything but 1/0/Yes/No.
bool ReadSwitches(MSIHANDLE install, bool repair, PackageSettings& settings) {
    bool* targets[] = {&settings.exact, &settings.renumber, &settings.testPage};
    for (int i = 0; i < 3; ++i) {
        std::string value = GivenOrRemembered(install, kSwitchProperties[i], repair);
        if (!ReadSwitchProperty(value, *targets[i])) {
            ShowError(install,
                      PackageText(IDS_PACKAGE_BAD_PROPERTY, kSwitchProperties[i], value.c_str()).c_str());
            return false;
        }
        // What is remembered is the value as it was given or read here.
        MsiSetPropertyA(install, kSwitchProperties[i], value.c_str());
    }
    return true;
}

// The file's bytes, read in the user's own context (a mapped drive or a share only the user may read
// is read here, not by the system account of the deferred phase). False when it cannot be read.
bool ReadProfileFile(const std::string& path, std::string& text) {
    return ReadWholeFile(path, text, kLargestProfile);
}

// The profile: PROFILE when given, else the one beside the package, else on a repair the one the
// installation read. False with the reason shown when there is none to apply.
bool ChooseProfile(MSIHANDLE install, PackageSettings& settings) {
    std::string given = Property(install, "PROFILE");
    if (!given.empty()) {
        settings.profile = given;
        if (ReadProfileFile(given, settings.profileText)) return true;
        DWORD high = 0;
        HANDLE file = CreateFileA(given.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        bool tooLarge =
            file != INVALID_HANDLE_VALUE && (GetFileSize(file, &high) > kLargestProfile || high != 0);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        ShowError(install, PackageText(tooLarge ? IDS_PACKAGE_PROFILE_TOO_LARGE : IDS_PACKAGE_PROFILE_MISSING,
                                       given.c_str())
                               .c_str());
        return false;
    }
    std::string beside = ProfileBesidePackage(Property(install, "OriginalDatabase"));
    settings.profile = beside;
    if (!beside.empty() && ReadProfileFile(beside, settings.profileText)) return true;
    if (IsRepair(install) && RememberedProfile(settings.profile, settings.profileText)) return true;
    ShowError(install, PackageText(IDS_PACKAGE_NO_PROFILE, beside.c_str()).c_str());
    return false;
}

// A log of the name can be written: the file is there, or the folder it goes in.
bool LogReachable(const std::string& log) {
    if (log.empty()) return true;
    DWORD file = GetFileAttributesA(log.c_str());
    if (file != INVALID_FILE_ATTRIBUTES) return (file & FILE_ATTRIBUTE_DIRECTORY) == 0;
    size_t slash = log.find_last_of("\\/");
    if (slash == std::string::npos) return true;
    DWORD folder = GetFileAttributesA(log.substr(0, slash == 2 ? 3 : slash).c_str());
    return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool AnotherRunAtWork(MSIHANDLE install) {
    if (!MutexExists(kWizardMutex) && !MutexExists(kDeployMutex) && !MutexExists(kRemovalWindowMutex))
        return false;
    ShowError(install, PackageText(IDS_PACKAGE_ANOTHER_RUN).c_str());
    return true;
}

// "a;b;c" as its parts.
std::vector<std::string> Parts(const std::string& joined) {
    std::vector<std::string> parts;
    for (size_t start = 0; start < joined.size();) {
        size_t end = joined.find(';', start);
        if (end == std::string::npos) end = joined.size();
        parts.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : ";") + part;
    return joined;
}

// The other versions of this package installed beside this product.
std::vector<std::string> OtherVersions(MSIHANDLE install) {
    std::string upgradeCode = Property(install, "UpgradeCode");
    std::string own = Property(install, "ProductCode");
    std::vector<std::string> others;
    char product[39] = {};
    for (DWORD index = 0; MsiEnumRelatedProductsA(upgradeCode.c_str(), 0, index, product) == ERROR_SUCCESS;
         ++index) {
        if (lstrcmpiA(product, own.c_str()) != 0) others.push_back(product);
    }
    return others;
}

// True when another version of this package is installed or being installed: this product's removal is
// then the tail of an upgrade to it, and the printers are the other version's now. The other versions
// are noted for QelvanKeepOtherVersions.
bool AnotherVersionInstalled(MSIHANDLE install) {
    std::vector<std::string> others = OtherVersions(install);
    MsiSetPropertyA(install, "QelvanOtherVersions", Joined(others).c_str());
    return !others.empty() || !Property(install, "UPGRADINGPRODUCTCODE").empty();
}

UINT PrepareRemoval(MSIHANDLE install, PackageSettings& settings) {
    if (AnotherVersionInstalled(install)) {
        LogLine(install, PackageText(IDS_PACKAGE_REMOVAL_SKIPPED_FOR_UPGRADE).c_str());
        return ERROR_SUCCESS;
    }
    if (AnotherRunAtWork(install)) return ERROR_INSTALL_FAILURE;
    settings.log = GivenOrRemembered(install, "QELVANLOG", true);
    // A log share retired since the installation never keeps the drivers from going.
    if (!LogReachable(settings.log)) {
        LogLine(install, PackageText(IDS_PACKAGE_LOG_LEFT_OUT, settings.log.c_str()).c_str());
        settings.log.clear();
    }
    std::string medium;
    if (!UnpackRemovalMedium(install, medium)) {
        ShowError(install, PackageText(IDS_PACKAGE_REMOVAL_MEDIUM, GetLastError()).c_str());
        RemoveRunFolder(medium);
        return ERROR_INSTALL_FAILURE;
    }
    std::string quiet = Quiet(install) ? "1" : "0";
    MsiSetPropertyA(install, "QelvanRemove",
                    PackedFields({quiet, RemoveCommandLine(settings, medium), medium}).c_str());
    return ERROR_SUCCESS;
}

// The program folder without its closing backslash.
std::string ProgramFolderPath(const PackageSettings& settings) {
    std::string folder = settings.programFolder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

UINT PrepareInstallation(MSIHANDLE install, PackageSettings& settings) {
    bool repair = IsRepair(install);
    if (!ReadSwitches(install, repair, settings) || !ChooseProfile(install, settings) ||
        AnotherRunAtWork(install))
        return ERROR_INSTALL_FAILURE;
    settings.log = GivenOrRemembered(install, "QELVANLOG", repair);
    if (!LogReachable(settings.log)) {
        ShowError(install, PackageText(IDS_PACKAGE_LOG_UNREACHABLE, settings.log.c_str()).c_str());
        return ERROR_INSTALL_FAILURE;
    }
    settings.journal = JournalFolder();
    // The rollback runs the package's own copy of QelvanDeploy from a folder of this run's, beside the
    // program folder and marker as they were: a failed installation may take the program folder away
    // before the rollback runs.
    std::string runFolder;
    if (!UnpackRemovalMedium(install, runFolder) ||
        !SaveProgramFolder(ProgramFolderPath(settings), runFolder)) {
        ShowError(install, PackageText(IDS_PACKAGE_REMOVAL_MEDIUM, GetLastError()).c_str());
        RemoveRunFolder(runFolder);
        return ERROR_INSTALL_FAILURE;
    }
    // Remembered with the product by its registry table: the profile as read, the log.
    MsiSetPropertyA(install, "QELVANLOG", settings.log.c_str());
    MsiSetPropertyA(install, "QELVANPROFILEPATH", settings.profile.c_str());
    MsiSetPropertyA(install, "QELVANPROFILETEXT", HexText(settings.profileText).c_str());
    std::string quiet = Quiet(install) ? "1" : "0";
    MsiSetPropertyA(
        install, "QelvanApply",
        PackedFields({quiet, ApplyCommandLine(settings), settings.journal,
                      AppliedProfilePath(settings.journal), HexText(settings.profileText),
                      RollbackCommandLine(settings, runFolder), runFolder, ProgramFolderPath(settings)})
            .c_str());
    // Wine's Installer forgets the whole upgrade code when it takes back a failed installation: the
    // rollback registers the versions installed beside this one again (UpgradeRegistration.h).
    MsiSetPropertyA(install, "QelvanRollback",
                    PackedFields({quiet, RollbackCommandLine(settings, runFolder), settings.journal,
                                  runFolder, ProgramFolderPath(settings), Property(install, "UpgradeCode"),
                                  Joined(OtherVersions(install))})
                        .c_str());
    MsiSetPropertyA(install, "QelvanCommit",
                    PackedFields({quiet, CommitCommandLine(settings), settings.journal, runFolder}).c_str());
    return ERROR_SUCCESS;
}

// Runs the command line, each line it prints into the Installer's log; its exit code turned into the
// Installer's answer. The failure's box repeats the last lines only where a person sees a box: a quiet
// run's log has them already.
UINT RunDeploy(MSIHANDLE install, const std::string& commandLine, bool quiet) {
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
    // QelvanDeploy's last line is its exit code: without it the program was ended before it finished
    // (Wine hands such a program's parent 0).
    if (lastLines.empty() ||
        lastLines.back() != PackageText(IDS_PACKAGE_EXIT_LINE, static_cast<int>(exitCode))) {
        ShowError(install, PackageText(IDS_PACKAGE_NOT_FINISHED, commandLine.c_str()).c_str());
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
    if (!quiet) {
        for (const std::string& line : lastLines) reason += "\r\n" + line;
    }
    ShowError(install, reason.c_str());
    return ERROR_INSTALL_FAILURE;
}

std::vector<std::string> ActionData(MSIHANDLE install, size_t count) {
    std::vector<std::string> fields = UnpackedFields(Property(install, "CustomActionData"));
    if (fields.size() != count) fields.clear();
    return fields;
}

// The journal's folder after a rollback or commit: the profile the package wrote there goes, and the
// folder when nothing else is left in it.
void ClearJournalFolder(const std::string& journal) {
    DeleteFileA(AppliedProfilePath(journal).c_str());
    RemoveDirectoryA(journal.c_str());
}

bool JournalWritten(const std::string& journal) {
    DWORD attributes = GetFileAttributesA((journal + "\\journal.txt").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) SetTextModule(instance);
    return TRUE;
}

extern "C" UINT __stdcall QelvanPrepare(MSIHANDLE install) {
    PackageSettings settings;
    settings.programFolder = Property(install, "INSTALLDIR");
    if (!settings.programFolder.empty() && settings.programFolder.back() != '\\')
        settings.programFolder += '\\';
    if (lstrcmpiA(Property(install, "REMOVE").c_str(), "ALL") == 0) return PrepareRemoval(install, settings);
    return PrepareInstallation(install, settings);
}

// Immediate, at the end of a removal: the other versions noted before stay registered under the
// upgrade code (UpgradeRegistration.h).
extern "C" UINT __stdcall QelvanKeepOtherVersions(MSIHANDLE install) {
    RegisterUnderUpgradeCode(Property(install, "UpgradeCode"),
                             Parts(Property(install, "QelvanOtherVersions")));
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall QelvanApply(MSIHANDLE install) {
    std::vector<std::string> fields = ActionData(install, 8);
    if (fields.empty()) return ERROR_INSTALL_FAILURE;
    std::string profile;
    if (!TextOfHex(fields[4], profile) || !WriteNewFile(fields[3], profile)) {
        ShowError(install,
                  PackageText(IDS_PACKAGE_PROFILE_NOT_WRITTEN, fields[3].c_str(), GetLastError()).c_str());
        return ERROR_INSTALL_FAILURE;
    }
    bool quiet = fields[0] == "1";
    UINT result = RunDeploy(install, fields[1], quiet);
    // A run that failed is undone at once, with the marker's values the script just wrote: the Installer
    // runs no rollback for a repair (Wine) or when rollback is disabled, and the rollback action then
    // finds no journal left.
    if (result != ERROR_SUCCESS) {
        if (JournalWritten(fields[2])) RunDeploy(install, fields[5], quiet);
        RestoreProgramFolder(fields[6], fields[7]);
    }
    return result;
}

// Rollback: runs only when the installation failed after QelvanApply began. Scheduled before the
// Installer's own file and registry actions, it runs after their rollback: what they took back of the
// older version's program folder and marker is there again when it ends.
extern "C" UINT __stdcall QelvanRollback(MSIHANDLE install) {
    std::vector<std::string> fields = ActionData(install, 7);
    if (fields.empty()) return ERROR_SUCCESS;
    // apply refused before it wrote its journal: it changed nothing, there is nothing to undo.
    if (JournalWritten(fields[2])) RunDeploy(install, fields[1], fields[0] == "1");
    RestoreProgramFolder(fields[3], fields[4]);
    RegisterUnderUpgradeCode(fields[5], Parts(fields[6]));
    ClearJournalFolder(fields[2]);
    RemoveRunFolder(fields[3]);
    return ERROR_SUCCESS;
}

// Commit: runs once the whole installation succeeded.
extern "C" UINT __stdcall QelvanCommit(MSIHANDLE install) {
    std::vector<std::string> fields = ActionData(install, 4);
    if (fields.empty()) return ERROR_SUCCESS;
    RunDeploy(install, fields[1], fields[0] == "1");
    ClearJournalFolder(fields[2]);
    RemoveRunFolder(fields[3]);
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall QelvanRemove(MSIHANDLE install) {
    // Nothing handed over: the removal of an older package that a newer one replaced.
    std::vector<std::string> fields = ActionData(install, 3);
    if (fields.empty()) return ERROR_SUCCESS;
    UINT result = RunDeploy(install, fields[1], fields[0] == "1");
    RemoveRunFolder(fields[2]);
    // The marker goes with the drivers, whatever the Installer's count of the marker's component says
    // (Wine keeps a failed installation's count): the wizard registers its own entry again afterwards.
    if (result == ERROR_SUCCESS) ForgetPackage();
    return result;
}
