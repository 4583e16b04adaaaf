#include "removal/ProgramEntry.h"

#include "removal/ComponentFiles.h"

#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/RegistryKey.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"
#include "engine/ComponentKeys.h"
#include "removal/FolderFiles.h"
#include "removal/FolderRemoval.h"
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
const char kRemovalCopyValue[] = "RemovalCopy";

// The version resource of the running program, as "major.minor.build.revision".
std::string ProgramVersion() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    return ReadFileVersion(path).text;
}

// Adds a file's size once, whatever spelling of its path comes first.
class DiskUse {
public:
    void Add(const std::string& path) {
        if (path.empty()) return;
        for (const std::string& counted : counted_) {
            if (lstrcmpiA(counted.c_str(), path.c_str()) == 0) return;
        }
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(path.c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        FindClose(find);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        counted_.push_back(path);
        bytes_ += found.nFileSizeLow;
    }
    void AddDirectory(const std::string& directory) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                AddDirectory(directory + "\\" + name);
            else
                Add(directory + "\\" + name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    DWORD KiB() const { return static_cast<DWORD>((bytes_ + 1023) / 1024); }

private:
    std::vector<std::string> counted_;
    unsigned long long bytes_ = 0;
};

// The files of the medium's registered drivers, as the spooler names them.
void AddDriverFiles(const MediumNames& names, TargetSystem system, DiskUse& use) {
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& driver : drivers) {
        if (!Contains(names.drivers, driver.name)) continue;
        for (const std::string& file : driver.files) use.Add(file);
    }
}

// A component's file, named by the "Driver" value of its key, in its directory.
void AddComponentFile(const char* keyPath, const char* directory, DiskUse& use) {
    RegistryKey key;
    char file[MAX_PATH] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath) || !key.QueryString("Driver", file, sizeof file)) return;
    use.Add(std::string(directory) + "\\" + file);
}

DWORD InstalledKiB(const char* folder, TargetSystem system) {
    DiskUse use;
    use.AddDirectory(folder);
    MediumNames names = ReadMediumNames(system);
    AddDriverFiles(names, system, use);
    char systemDirectory[MAX_PATH] = {};
    GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);
    for (const MediumMonitor& monitor : names.monitors) {
        char keyPath[kComponentKeyPathSize];
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        AddComponentFile(keyPath, systemDirectory, use);
    }
    char processors[MAX_PATH] = {};
    DWORD needed = 0;
    if (GetPrintProcessorDirectoryA(nullptr, ComponentEnvironment(system), 1,
                                    reinterpret_cast<BYTE*>(processors), sizeof processors, &needed)) {
        for (const std::string& processor : names.processors) {
            char keyPath[kComponentKeyPathSize];
            ProcessorKeyPath(system, processor.c_str(), keyPath);
            AddComponentFile(keyPath, processors, use);
        }
    }
    return use.KiB();
}

void EntryKeyPath(char (&keyPath)[MAX_PATH]) {
    FormatText(keyPath, sizeof keyPath, "%s%s", kUninstallKey, kProgramEntryKey);
}

// The earlier registration's record; empty when there is no entry or no record.
std::vector<std::string> PreviousRecord() {
    char keyPath[MAX_PATH];
    EntryKeyPath(keyPath);
    RegistryKey key;
    std::vector<std::string> files;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath)) ReadFolderRecord(key, files);
    return files;
}

bool WriteEntry(const char* folder, TargetSystem system, const std::vector<std::string>& files,
                DWORD& error) {
    char keyPath[MAX_PATH];
    EntryKeyPath(keyPath);
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, keyPath);
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) {
        error = key.lastError;
        return false;
    }
    std::string window = std::string(folder) + "\\" + kRemovalWindowFile;
    std::string quiet = "\"" + std::string(folder) + "\\" + kDeployProgramFile + "\"" + kQuietRemoval;
    bool written = key.SetString("DisplayName", ResourceText(IDS_PROGRAM_ENTRY_NAME).c_str(), &error) &&
                   key.SetString("DisplayVersion", ProgramVersion().c_str(), &error) &&
                   key.SetString("Publisher", kPublisher, &error) &&
                   key.SetString("DisplayIcon", (window + ",0").c_str(), &error) &&
                   key.SetString("InstallLocation", folder, &error) &&
                   key.SetString("UninstallString", ("\"" + window + "\"").c_str(), &error) &&
                   key.SetString("QuietUninstallString", quiet.c_str(), &error) &&
                   key.SetDword("EstimatedSize", InstalledKiB(folder, system), &error) &&
                   key.SetDword("NoModify", 1, &error) && key.SetDword("NoRepair", 1, &error) &&
                   WriteFolderRecord(key, files, error);
    return written;
}

}  // namespace

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
    std::vector<std::string> copied;
    if (!CopyMediumFiles(folder, PreviousRecord(), copied, error, step)) return false;
    step = kProgramEntryKey;
    return WriteEntry(folder, system, copied, error);
}

bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system) {
    std::vector<SystemPrinter> printers;
    DWORD error = 0;
    if (!ReadSystemPrinters(printers, error) || !MediumPrinters(printers, names).empty()) return false;
    std::vector<Registration> drivers;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& driver : drivers) {
        if (Contains(names.drivers, driver.name)) return false;
    }
    unsigned long version = 0;
    for (const MediumMonitor& monitor : names.monitors) {
        char keyPath[kComponentKeyPathSize];
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        if (InstalledVersion(keyPath, version)) return false;
    }
    for (const std::string& processor : names.processors) {
        char keyPath[kComponentKeyPathSize];
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        if (InstalledVersion(keyPath, version)) return false;
    }
    return true;
}

bool DeleteFileNowOrAtRestart(const char* path, DWORD& error) {
    return DeleteNowOrAtRestart(path, error) != Deletion::Failed;
}

bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report) {
    if (!NothingOfMediumLeft(names, system)) return true;
    char keyPath[MAX_PATH];
    EntryKeyPath(keyPath);
    RegistryKey key;
    // No entry: the product was never registered here, or is gone already; nothing is touched.
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return true;
    std::vector<std::string> files;
    // An entry of an older registration keeps no record: the exact names of the medium's files stand
    // for it.
    if (!ReadFolderRecord(key, files)) files = MediumFolderFiles();
    key.Close();
    char folder[MAX_PATH];
    if (ProgramEntryFolder(folder)) {
        // A folder that is a process's current directory cannot go: a removal program started from
        // the folder reads its configuration there, and leaves it now for the temporary folder.
        char temporary[MAX_PATH] = {};
        DWORD length = GetTempPathA(sizeof temporary, temporary);
        if (length > 0 && length < sizeof temporary) SetCurrentDirectoryA(temporary);
        // A file that stays keeps the entry and its record for the next removal.
        if (!RemoveRecordedFiles(folder, files, report)) return false;
    }
    DWORD error = 0;
    bool removed = RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath, &error);
    report({RemovalKind::ProgramEntry, "", removed ? RemovalResult::Removed : RemovalResult::Failed, "",
            removed ? 0 : error});
    return removed;
}

bool RecordRemovalCopy(const char* path) {
    char keyPath[MAX_PATH];
    EntryKeyPath(keyPath);
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, keyPath) && key.SetString(kRemovalCopyValue, path);
}

bool TakeRemovalCopyRecord(const char* path) {
    char keyPath[MAX_PATH];
    EntryKeyPath(keyPath);
    RegistryKey key;
    char recorded[MAX_PATH] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath) ||
        !key.QueryString(kRemovalCopyValue, recorded, sizeof recorded) || lstrcmpiA(recorded, path) != 0)
        return false;
    key.DeleteValue(kRemovalCopyValue);
    return true;
}
