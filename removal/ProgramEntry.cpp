#include "removal/ProgramEntry.h"

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/RegistryKey.h"
#include "common/ResourceText.h"
#include "removal/ComponentFiles.h"
#include "removal/FolderFiles.h"
#include "removal/FolderRecord.h"
#include "removal/FolderRemoval.h"
#include "removal/InstalledFilesAtRestart.h"
#include "removal/InstalledSize.h"
#include "removal/PackageEntry.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

const char kProgramEntryKey[] = "QelvanPrinterDrivers";

namespace {
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kFolderName[] = "\\Qelvan";
const char kPublisher[] = "Qelvan";
const char kQuietRemoval[] = " remove /all /driver /components";
const char kInstallLocation[] = "InstallLocation";

// The version resource of the running program, as "major.minor.build.revision".
std::string ProgramVersion() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    return ReadFileVersion(path).text;
}

// The earlier registration's record; empty when there is no entry or no record.
FolderRecord PreviousRecord() {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    FolderRecord record;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) ReadFolderRecord(key, record);
    return record;
}

bool OpenOrCreateEntry(RegistryKey& key, DWORD& error) {
    if (key.IsOpen()) return true;
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, keyPath);
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) return true;
    error = key.lastError;
    return false;
}

bool WriteEntry(RegistryKey& key, const char* folder, TargetSystem system, DWORD& error) {
    std::string window = std::string(folder) + "\\" + kRemovalWindowFile;
    std::string quiet = "\"" + std::string(folder) + "\\" + kDeployProgramFile + "\"" + kQuietRemoval;
    return key.SetString("DisplayName", ResourceText(IDS_PROGRAM_ENTRY_NAME).c_str(), &error) &&
           key.SetString("DisplayVersion", ProgramVersion().c_str(), &error) &&
           key.SetString("Publisher", kPublisher, &error) &&
           key.SetString("DisplayIcon", (window + ",0").c_str(), &error) &&
           key.SetString(kInstallLocation, folder, &error) &&
           key.SetString("UninstallString", ("\"" + window + "\"").c_str(), &error) &&
           key.SetString("QuietUninstallString", quiet.c_str(), &error) &&
           key.SetDword("EstimatedSize", InstalledKiB(folder, system), &error) &&
           key.SetDword("NoModify", 1, &error) && key.SetDword("NoRepair", 1, &error);
}

// An entry of an older registration keeps no record: the exact names of the medium's files stand for
// it, without what identifies them, so none of them is taken for ours.
FolderRecord RecordOrMediumNames(RegistryKey& key) {
    FolderRecord record;
    if (ReadFolderRecord(key, record)) return record;
    for (const std::string& file : MediumFolderFiles()) record.files.push_back({file, false, {}});
    return record;
}
}  // namespace

void ProgramEntryKeyPath(char (&keyPath)[MAX_PATH]) {
    FormatText(keyPath, sizeof keyPath, "%s%s", kUninstallKey, kProgramEntryKey);
}

bool ProgramEntryFolder(char (&folder)[MAX_PATH]) {
    RegistryKey key;
    char programFiles[MAX_PATH] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, kCurrentVersionKey) ||
        !key.QueryString("ProgramFilesDir", programFiles, sizeof programFiles) || programFiles[0] == '\0')
        return false;
    size_t length = strlen(programFiles);
    if (programFiles[length - 1] == '\\') programFiles[length - 1] = '\0';
    return CopyText(folder, programFiles) && AppendText(folder, kFolderName);
}

bool RecordedProgramFolder(char (&folder)[MAX_PATH]) {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, keyPath) &&
           key.QueryString(kInstallLocation, folder, sizeof folder) && folder[0] != '\0';
}

bool RegisterProgramEntry(TargetSystem system, DWORD& error, std::string& step) {
    error = 0;
    // The package's entry stands for the medium while it is installed: no second one.
    if (PackageInstalled()) return true;
    char folder[MAX_PATH];
    if (!ProgramEntryFolder(folder)) {
        error = ERROR_PATH_NOT_FOUND;
        step = "ProgramFilesDir";
        return false;
    }
    KeepInstalledFilesAtRestart(ReadMediumNames(system), system);
    FolderRecord record = PreviousRecord();
    // The entry's key comes with the first file that lands: a folder that is refused leaves no entry.
    RegistryKey key;
    RecordWriter write = [&key](const FolderRecord& landed, DWORD& writeError) {
        return OpenOrCreateEntry(key, writeError) && WriteFolderRecord(key, landed, writeError);
    };
    if (!CopyMediumFiles(folder, record, write, error, step)) return false;
    step = kProgramEntryKey;
    return OpenOrCreateEntry(key, error) && WriteEntry(key, folder, system, error);
}

bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report) {
    return !NothingOfMediumLeft(names, system) || RemoveEntryAndFolderFiles(report);
}

bool RemoveEntryAndFolderFiles(const RemovalReport& report) {
    char keyPath[MAX_PATH];
    ProgramEntryKeyPath(keyPath);
    RegistryKey key;
    // No entry: the product was never registered here, or is gone already; nothing is touched.
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return true;
    FolderRecord record = RecordOrMediumNames(key);
    key.Close();
    char folder[MAX_PATH];
    // A file that could not go keeps the entry and its record for the next removal.
    if (ProgramEntryFolder(folder) && !RemoveRecordedFiles(folder, record, report)) return false;
    DWORD error = 0;
    bool removed = RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath, &error);
    report({RemovalKind::ProgramEntry, "", removed ? RemovalResult::Removed : RemovalResult::Failed, "",
            removed ? 0 : error});
    return removed;
}
