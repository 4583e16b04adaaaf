#include "removal/ProgramEntry.h"

#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "config/ConfigValues.h"
#include "engine/ComponentKeys.h"

const char kProgramEntryKey[] = "QelvanPrinterDrivers";
const char kRemovalWindowFile[] = "Drovix.exe";
const char kDeployProgramFile[] = "QelvanDeploy.exe";

namespace {
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kFolderName[] = "\\Qelvan";
const char kDisplayName[] = "Qelvan 打印机驱动程序";
const char kPublisher[] = "Qelvan";
const char kBannerFile[] = "DRVCONFIG\\Left.bmp";
const char kQuietRemoval[] = " remove /all /driver /components";

bool OnNtFamily() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool Join(char (&path)[MAX_PATH], const char* directory, const char* name) {
    return CopyText(path, directory) && AppendText(path, "\\") && AppendText(path, name);
}

// The configuration files beside the program, relative to the medium's directory: the common file, the
// four category files and the banner the removal window shows like the wizard.
std::vector<std::string> ConfigurationFiles() {
    std::vector<std::string> files;
    char directory[kConfigPathSize];
    GetProgramDirectory(directory);
    size_t prefix = strlen(directory);
    for (int category = -1; category <= Embedded; ++category) {
        char commonPath[kConfigPathSize];
        char categoryPath[kConfigPathSize];
        BuildConfigPaths(category, commonPath, categoryPath);
        const char* path = category < 0 ? commonPath : categoryPath;
        if (strlen(path) > prefix) files.push_back(path + prefix);
    }
    files.push_back(kBannerFile);
    return files;
}

bool CopyIntoFolder(const char* folder, DWORD& error, std::string& step) {
    char directory[kConfigPathSize];
    GetProgramDirectory(directory);
    char medium[MAX_PATH] = {};
    CopyText(medium, directory);
    size_t length = strlen(medium);
    if (length > 0 && medium[length - 1] == '\\') medium[length - 1] = '\0';
    // A program started from the folder itself finds everything in place.
    if (lstrcmpiA(medium, folder) == 0) return true;
    char config[MAX_PATH];
    if (!Join(config, folder, "DRVCONFIG")) return false;
    CreateDirectoryA(folder, nullptr);
    CreateDirectoryA(config, nullptr);
    std::vector<std::string> files = {kRemovalWindowFile, kDeployProgramFile};
    size_t programs = files.size();
    for (const std::string& file : ConfigurationFiles()) files.push_back(file);
    for (size_t index = 0; index < files.size(); ++index) {
        char source[MAX_PATH];
        char target[MAX_PATH];
        if (!Join(source, medium, files[index].c_str()) || !Join(target, folder, files[index].c_str())) {
            error = ERROR_FILENAME_EXCED_RANGE;
            step = files[index];
            return false;
        }
        if (CopyFileA(source, target, FALSE)) continue;
        error = GetLastError();
        // A configuration file the medium lacks is lacking in the folder too; the programs are needed.
        if (index >= programs && error == ERROR_FILE_NOT_FOUND) continue;
        step = files[index];
        return false;
    }
    return true;
}

// The version resource of the running program, as "major.minor.build.revision".
std::string ProgramVersion() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return "";
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoA(path, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr)
        return "";
    char text[64];
    FormatText(text, sizeof text, "%lu.%lu.%lu.%lu",
               static_cast<unsigned long>(HIWORD(info->dwFileVersionMS)),
               static_cast<unsigned long>(LOWORD(info->dwFileVersionMS)),
               static_cast<unsigned long>(HIWORD(info->dwFileVersionLS)),
               static_cast<unsigned long>(LOWORD(info->dwFileVersionLS)));
    return text;
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
    DWORD needed = 0;
    DWORD count = 0;
    char* environment = ComponentEnvironment(system);
    EnumPrinterDriversA(nullptr, environment, 3, nullptr, 0, &needed, &count);
    if (needed == 0) return;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrinterDriversA(nullptr, environment, 3, buffer.data(), needed, &needed, &count)) return;
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        if (info[index].pName == nullptr || !Contains(names.drivers, info[index].pName)) continue;
        for (const char* file : {info[index].pDriverPath, info[index].pDataFile, info[index].pConfigFile,
                                 info[index].pHelpFile}) {
            if (file != nullptr) use.Add(file);
        }
        for (const char* file = info[index].pDependentFiles; file != nullptr && *file != '\0';
             file += strlen(file) + 1)
            use.Add(file);
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

bool WriteEntry(const char* folder, TargetSystem system, DWORD& error) {
    char keyPath[MAX_PATH];
    FormatText(keyPath, sizeof keyPath, "%s%s", kUninstallKey, kProgramEntryKey);
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, keyPath);
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) {
        error = key.lastError;
        return false;
    }
    std::string window = std::string(folder) + "\\" + kRemovalWindowFile;
    std::string quiet = "\"" + std::string(folder) + "\\" + kDeployProgramFile + "\"" + kQuietRemoval;
    bool written = key.SetString("DisplayName", kDisplayName, &error) &&
                   key.SetString("DisplayVersion", ProgramVersion().c_str(), &error) &&
                   key.SetString("Publisher", kPublisher, &error) &&
                   key.SetString("DisplayIcon", (window + ",0").c_str(), &error) &&
                   key.SetString("InstallLocation", folder, &error) &&
                   key.SetString("UninstallString", ("\"" + window + "\"").c_str(), &error) &&
                   key.SetString("QuietUninstallString", quiet.c_str(), &error) &&
                   key.SetDword("EstimatedSize", InstalledKiB(folder, system), &error) &&
                   key.SetDword("NoModify", 1, &error) && key.SetDword("NoRepair", 1, &error);
    return written;
}

// Adds "NUL=path" to WININIT.INI's [rename] section, which Windows 98/Me carry out (deleting the file)
// at the next start. The section may hold the key many times, so the line is inserted, not written
// through the profile functions, which would replace an earlier one. The path is the short form.
bool DeleteAtRestartThroughWininit(const char* path, DWORD& error) {
    char shortPath[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length == 0 || length >= sizeof shortPath) {
        error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    char wininit[MAX_PATH] = {};
    length = GetWindowsDirectoryA(wininit, sizeof wininit);
    if (length == 0 || length >= sizeof wininit || !AppendText(wininit, "\\WININIT.INI")) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    std::string text;
    HANDLE file = CreateFileA(wininit, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    char chunk[512];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    std::string line = std::string("NUL=") + shortPath + "\r\n";
    size_t section = std::string::npos;
    for (size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1)) {
        if (lstrcmpiA(text.substr(at, 8).c_str(), "[rename]") == 0) section = at;
    }
    if (section == std::string::npos) {
        if (!text.empty() && text[text.size() - 1] != '\n') text += "\r\n";
        text += "[rename]\r\n" + line;
    } else {
        size_t end = text.find('\n', section);
        text.insert(end == std::string::npos ? text.size() : end + 1, line);
    }
    DWORD written = 0;
    bool ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
              WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size() && SetEndOfFile(file);
    if (!ok) error = GetLastError();
    CloseHandle(file);
    return ok;
}

bool DeleteTree(const std::string& directory, bool ntFamily, DWORD& error) {
    bool allGone = true;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = directory + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                allGone = DeleteTree(path, ntFamily, error) && allGone;
            else
                allGone = DeleteFileNowOrAtRestart(path.c_str(), error) && allGone;
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    if (RemoveDirectoryA(directory.c_str())) return allGone;
    // Still holding a file that goes at the next start: on the NT family the folder follows it then
    // (the system carries out the requests in order); Windows 98/Me's WININIT.INI deletes no folder.
    if (ntFamily) MoveFileExA(directory.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return allGone;
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
    char folder[MAX_PATH];
    if (!ProgramEntryFolder(folder)) {
        error = ERROR_PATH_NOT_FOUND;
        step = "ProgramFilesDir";
        return false;
    }
    if (!CopyIntoFolder(folder, error, step)) return false;
    step = kProgramEntryKey;
    return WriteEntry(folder, system, error);
}

bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system) {
    std::vector<SystemPrinter> printers;
    DWORD error = 0;
    if (!ReadSystemPrinters(printers, error) || !MediumPrinters(printers, names).empty()) return false;
    DWORD needed = 0;
    DWORD count = 0;
    char* environment = ComponentEnvironment(system);
    EnumPrinterDriversA(nullptr, environment, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed > 0 ? needed : 1);
    if (needed > 0 && EnumPrinterDriversA(nullptr, environment, 1, buffer.data(), needed, &needed, &count)) {
        const DRIVER_INFO_1A* info = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.data());
        for (DWORD index = 0; index < count; ++index) {
            if (info[index].pName != nullptr && Contains(names.drivers, info[index].pName)) return false;
        }
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
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path)) return true;
    DWORD refusal = GetLastError();
    if (refusal == ERROR_FILE_NOT_FOUND) return true;
    if (OnNtFamily()) {
        if (MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return true;
        error = GetLastError();
        return false;
    }
    return DeleteAtRestartThroughWininit(path, error);
}

bool RemoveProgramEntry(DWORD& error) {
    error = 0;
    char keyPath[MAX_PATH];
    FormatText(keyPath, sizeof keyPath, "%s%s", kUninstallKey, kProgramEntryKey);
    DWORD keyError = 0;
    if (!RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath, &keyError) && keyError != ERROR_FILE_NOT_FOUND) {
        error = keyError;
        return false;
    }
    char folder[MAX_PATH];
    if (!ProgramEntryFolder(folder) || GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) return true;
    // A folder that is a process's current directory cannot go: a removal program started from the
    // folder reads its configuration there, and leaves it now for the temporary folder.
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length > 0 && length < sizeof temporary) SetCurrentDirectoryA(temporary);
    return DeleteTree(folder, OnNtFamily(), error);
}

bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report) {
    if (!NothingOfMediumLeft(names, system)) return true;
    DWORD error = 0;
    bool removed = RemoveProgramEntry(error);
    report(
        {RemovalKind::ProgramEntry, "", removed ? RemovalResult::Removed : RemovalResult::Failed, "", error});
    return removed;
}
