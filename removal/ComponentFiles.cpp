#include "removal/ComponentFiles.h"

#include "engine/SystemDriverFiles.h"

#include <winspool.h>

#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "common/ResourceText.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
const char kMonitorsKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";

bool Same(const std::string& one, const std::string& other) {
    return lstrcmpiA(one.c_str(), other.c_str()) == 0;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Adds folder\name once; a name that would leave its folder (the medium's configuration is read as
// it is) or a path that would not fit is never the installation's copy.
void AddPath(std::vector<ComponentFile>& files, const std::string& folder, const std::string& name) {
    char path[MAX_PATH];
    if (folder.empty() || !IsBareFileName(name.c_str()) || name.empty() ||
        !FormatText(path, sizeof path, "%s\\%s", folder.c_str(), name.c_str()))
        return;
    for (const ComponentFile& file : files) {
        if (Same(file.path, path)) return;
    }
    files.push_back({path, IsFile(path)});
}

std::string DriverFolder(TargetSystem system) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, ComponentEnvironment(system), 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof folder, &needed))
        return "";
    return folder;
}

std::string ProcessorFolder(TargetSystem system) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrintProcessorDirectoryA(nullptr, ComponentEnvironment(system), 1,
                                     reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
        return "";
    return folder;
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? folder : "";
}

// Each sub-key of keyPath with the file its "Driver" value names (monitors, print processors).
std::vector<Registration> RegisteredByKey(const char* keyPath) {
    std::vector<Registration> components;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return components;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        char path[MAX_PATH];
        char file[MAX_PATH] = {};
        RegistryKey component;
        if (FormatText(path, sizeof path, "%s\\%s", keyPath, name) &&
            component.Open(HKEY_LOCAL_MACHINE, path) && component.QueryString("Driver", file, sizeof file))
            components.push_back({name, {file}});
    }
    RegCloseKey(key);
    return components;
}

// The first registration that names a file of the name, in whatever folder.
const Registration* Naming(const std::vector<Registration>& registrations, const std::string& name) {
    for (const Registration& registration : registrations) {
        for (const std::string& file : registration.files) {
            if (Same(BaseName(file), name)) return &registration;
        }
    }
    return nullptr;
}

// Deletes the file now or at the next start unless a registration that stays names it (usedBy the
// text that says so, a format taking the registration's name); says what became of it. False when it
// could be neither deleted nor scheduled.
bool RemoveFile(const ComponentFile& file, const std::vector<Registration>& staying, UINT usedBy,
                const RemovalReport& report) {
    if (!IsFile(file.path)) {
        // Taken by the spooler's own delete.
        if (file.present) report({RemovalKind::ComponentFile, file.path, RemovalResult::Removed, "", 0});
        return true;
    }
    const Registration* user = Naming(staying, BaseName(file.path));
    if (user != nullptr) {
        std::string why = FormatResource(usedBy, user->name.c_str());
        report({RemovalKind::ComponentFile, file.path, RemovalResult::Kept, why, 0});
        return true;
    }
    DWORD error = 0;
    Deletion deletion = DeleteNowOrAtRestart(file.path.c_str(), error);
    RemovalResult result = deletion == Deletion::Deleted     ? RemovalResult::Removed
                           : deletion == Deletion::AtRestart ? RemovalResult::AtRestart
                                                             : RemovalResult::Failed;
    report({RemovalKind::ComponentFile, file.path, result, "", result == RemovalResult::Failed ? error : 0});
    return result != RemovalResult::Failed;
}

bool RemoveFiles(const std::vector<ComponentFile>& files, const std::vector<Registration>& staying,
                 UINT usedBy, const RemovalReport& report) {
    bool removed = true;
    std::vector<std::string> done;
    for (const ComponentFile& file : files) {
        bool again = false;
        for (const std::string& path : done) again = again || Same(path, file.path);
        if (again) continue;
        done.push_back(file.path);
        removed = RemoveFile(file, staying, usedBy, report) && removed;
    }
    return removed;
}

// The version sub-folder the system's spooler keeps a driver's files in when its registration cannot
// be read: "0" for Windows 98/Me's drivers, "2" for NT 4.0's, "3" for the later systems'.
const char* VersionFolder(TargetSystem system) {
    return system == Windows98Me ? "0" : system == WindowsNT4 ? "2" : "3";
}

typedef BOOL(WINAPI* DeletePrinterDriverExFunction)(LPSTR, LPSTR, LPSTR, DWORD, DWORD);

// The system's shared printer-driver files (Windows 98/Me: the universal driver's in the system folder;
// Windows 2000 and later: the shared data files), which the installation supplies only where missing:
// Windows' own and other printers' too, so they stay.
bool IsSystemSharedFile(const std::string& path, TargetSystem system) {
    size_t slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return IsSystemSharedDriverFile(name.c_str(), system);
}
}  // namespace

// The drivers registered for the system's environment, with the full paths of their files.
bool RegisteredDrivers(TargetSystem system, std::vector<Registration>& drivers, DWORD& error) {
    char* environment = ComponentEnvironment(system);
    DWORD needed = 0;
    DWORD count = 0;
    error = 0;
    if (!EnumPrinterDriversA(nullptr, environment, 3, nullptr, 0, &needed, &count)) {
        error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) return false;
        error = 0;
    }
    if (needed == 0) return true;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrinterDriversA(nullptr, environment, 3, buffer.data(), needed, &needed, &count)) {
        error = GetLastError();
        return false;
    }
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        if (info[index].pName == nullptr) continue;
        Registration driver = {info[index].pName, {}};
        for (const char* file : {info[index].pDriverPath, info[index].pDataFile, info[index].pConfigFile,
                                 info[index].pHelpFile}) {
            if (file != nullptr && file[0] != '\0') driver.files.push_back(file);
        }
        for (const char* file = info[index].pDependentFiles; file != nullptr && *file != '\0';
             file += strlen(file) + 1)
            driver.files.push_back(file);
        drivers.push_back(driver);
    }
    return true;
}

std::vector<ComponentFile> DriverFiles(const std::string& driver, const MediumNames& names,
                                       TargetSystem system) {
    std::vector<ComponentFile> files;
    std::string root = DriverFolder(system);
    if (root.empty()) return files;
    std::vector<std::string> folders = {root, root + "\\" + VersionFolder(system)};
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& registered : drivers) {
        if (!Same(registered.name, driver)) continue;
        for (const std::string& file : registered.files) {
            size_t slash = file.find_last_of('\\');
            if (slash != std::string::npos) folders.push_back(file.substr(0, slash));
        }
    }
    for (const std::string& name : FilesOf(names.driverFiles, driver)) {
        for (const std::string& folder : folders) AddPath(files, folder, name);
    }
    return files;
}

bool DeleteDriverRegistration(const std::string& driver, TargetSystem system, DWORD& error) {
    std::string name = driver;
    char* environment = ComponentEnvironment(system);
    // Windows 2000 and later take the driver's files no other driver uses with it; NT 4.0 and 98/Me
    // lack the call, and Wine's answers 87 to the flag and deletes nothing: the plain delete then.
    HMODULE spooler = LoadLibraryA("winspool.drv");
    auto deleteWithFiles = reinterpret_cast<DeletePrinterDriverExFunction>(
        spooler != nullptr ? reinterpret_cast<void*>(GetProcAddress(spooler, "DeletePrinterDriverExA"))
                           : nullptr);
    bool removed = deleteWithFiles != nullptr &&
                   deleteWithFiles(nullptr, environment, &name[0], DPD_DELETE_UNUSED_FILES, 0);
    if (spooler != nullptr) FreeLibrary(spooler);
    if (!removed) removed = DeletePrinterDriverA(nullptr, environment, &name[0]);
    error = removed ? 0 : GetLastError();
    return removed;
}

bool RemoveDriverFiles(const std::vector<ComponentFile>& files, TargetSystem system,
                       const RemovalReport& report) {
    if (files.empty()) return true;
    std::vector<Registration> drivers;
    DWORD error = 0;
    if (!RegisteredDrivers(system, drivers, error)) {
        // Without the list no file is known to be unused: each stays, and the failure is said.
        for (const ComponentFile& file : files) {
            if (IsFile(file.path))
                report({RemovalKind::ComponentFile, file.path, RemovalResult::Failed, "", error});
        }
        return false;
    }
    std::vector<ComponentFile> ours;
    for (const ComponentFile& file : files) {
        if (!IsSystemSharedFile(file.path, system)) {
            ours.push_back(file);
        } else if (IsFile(file.path)) {
            report({RemovalKind::ComponentFile, file.path, RemovalResult::Kept,
                    ResourceText(IDS_REMOVAL_SYSTEM_SHARED_FILE), 0});
        }
    }
    return RemoveFiles(ours, drivers, IDS_REMOVAL_DRIVER_USES_FILE, report);
}

std::vector<ComponentFile> MonitorFiles(const MediumMonitor& monitor) {
    std::vector<ComponentFile> files;
    std::string folder = SystemFolder();
    AddPath(files, folder, monitor.dll);
    AddPath(files, folder, monitor.uiDll);
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.name.c_str(), keyPath);
    RegistryKey key;
    char registered[MAX_PATH] = {};
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath) && key.QueryString("Driver", registered, sizeof registered) &&
        Same(registered, "n" + monitor.dll))
        AddPath(files, folder, registered);
    return files;
}

bool RemoveMonitorFiles(const std::vector<ComponentFile>& files, const MediumNames& names,
                        const RemovalReport& report) {
    std::vector<Registration> monitors = RegisteredByKey(kMonitorsKey);
    // A monitor of the medium that stays also uses its user-interface file, which no key names.
    for (const MediumMonitor& monitor : names.monitors) {
        char keyPath[kComponentKeyPathSize];
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        unsigned long version = 0;
        if (InstalledVersion(keyPath, version))
            monitors.push_back({monitor.name, {monitor.dll, monitor.uiDll}});
    }
    return RemoveFiles(files, monitors, IDS_REMOVAL_MONITOR_USES_FILE, report);
}

std::vector<ComponentFile> ProcessorFiles(const std::string& processor, const MediumNames& names,
                                          TargetSystem system) {
    std::vector<ComponentFile> files;
    std::string folder = ProcessorFolder(system);
    for (const std::string& name : FilesOf(names.processorFiles, processor)) AddPath(files, folder, name);
    return files;
}

bool RemoveProcessorFiles(const std::vector<ComponentFile>& files, TargetSystem system,
                          const RemovalReport& report) {
    char keyPath[kComponentKeyPathSize];
    ProcessorKeyPath(system, "", keyPath);
    size_t length = strlen(keyPath);
    if (length > 0 && keyPath[length - 1] == '\\') keyPath[length - 1] = '\0';
    return RemoveFiles(files, RegisteredByKey(keyPath), IDS_REMOVAL_PROCESSOR_USES_FILE, report);
}

void KeepInstalledFilesAtRestart(const MediumNames& names, TargetSystem system) {
    std::vector<ComponentFile> files;
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& driver : drivers) {
        if (!Contains(names.drivers, driver.name)) continue;
        for (const ComponentFile& file : DriverFiles(driver.name, names, system)) files.push_back(file);
    }
    unsigned long version = 0;
    char keyPath[kComponentKeyPathSize];
    for (const MediumMonitor& monitor : names.monitors) {
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        if (!InstalledVersion(keyPath, version)) continue;
        for (const ComponentFile& file : MonitorFiles(monitor)) files.push_back(file);
    }
    for (const std::string& processor : names.processors) {
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        if (!InstalledVersion(keyPath, version)) continue;
        for (const ComponentFile& file : ProcessorFiles(processor, names, system)) files.push_back(file);
    }
    for (const ComponentFile& file : files) {
        if (IsFile(file.path)) CancelDeletionAtRestart(file.path.c_str());
    }
}
