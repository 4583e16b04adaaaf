#include "removal/ComponentFiles.h"

#include "engine/SystemDriverFiles.h"

#include <winspool.h>

#include <cstring>

#include "common/BoundedText.h"
#include "common/FileNames.h"
#include "common/RegistryKey.h"
#include "common/ResourceText.h"
#include "common/SystemFolders.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "engine/SpoolerFolders.h"
#include "engine/SystemFileRecord.h"
#include "removal/RemovalTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
// Adds folder\name once; a name that would leave its folder (the medium's configuration is read as
// it is) or a path that would not fit is never the installation's copy.
void AddPath(std::vector<ComponentFile>& files, const std::string& folder, const std::string& name) {
    char path[MAX_PATH];
    if (folder.empty() || !IsBareFileName(name.c_str()) || name.empty() ||
        !FormatText(path, sizeof path, "%s\\%s", folder.c_str(), name.c_str()))
        return;
    for (const ComponentFile& file : files) {
        if (SameText(file.path, path)) return;
    }
    files.push_back({path, IsPlainFile(path)});
}

// Deletes the file now or at the next start unless a registration that stays names it (usedBy the
// text that says so, a format taking the registration's name); says what became of it. False when it
// could be neither deleted nor scheduled.
bool RemoveFile(const ComponentFile& file, const std::vector<Registration>& staying, UINT usedBy,
                const RemovalReport& report) {
    if (!IsPlainFile(file.path)) {
        // Taken by the spooler's own delete, or by someone else.
        if (file.present) report({RemovalKind::ComponentFile, file.path, RemovalResult::Removed, "", 0});
        ForgetSystemFile(file.path);
        return true;
    }
    const Registration* user = RegistrationNaming(staying, FileNameOf(file.path));
    if (user != nullptr) {
        std::string why = FormatResource(usedBy, user->name.c_str());
        report({RemovalKind::ComponentFile, file.path, RemovalResult::Kept, why, 0});
        return true;
    }
    if (FoundBeforeInstallation(file.path)) {
        report({RemovalKind::ComponentFile, file.path, RemovalResult::Kept,
                ResourceText(IDS_REMOVAL_FOUND_BEFORE_INSTALLATION), 0});
        ForgetSystemFile(file.path);
        return true;
    }
    DWORD error = 0;
    Deletion deletion = DeleteNowOrAtRestart(file.path.c_str(), error);
    // A file whose deletion waits for the restart stays ours until it is gone: an installation before the
    // restart finds it still recorded as placed by us, never as found there.
    if (deletion == Deletion::Deleted) ForgetSystemFile(file.path);
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
        for (const std::string& path : done) again = again || SameText(path, file.path);
        if (again) continue;
        done.push_back(file.path);
        removed = RemoveFile(file, staying, usedBy, report) && removed;
    }
    return removed;
}

// The system's shared printer-driver files (Windows 98/Me: the universal driver's in the system folder;
// Windows 2000 and later: the shared data files), which the installation supplies only where missing:
// Windows' own and other printers' too, so they stay.
bool IsSystemSharedFile(const std::string& path, TargetSystem system) {
    size_t slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return IsSystemSharedDriverFile(name.c_str(), system);
}
}  // namespace

std::vector<ComponentFile> DriverFiles(const std::string& driver, const MediumNames& names,
                                       TargetSystem system) {
    std::vector<ComponentFile> files;
    std::string root = DriverFolderOf(system);
    if (root.empty()) return files;
    std::vector<std::string> folders = {root, DriverVersionFolderOf(system)};
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& registered : drivers) {
        if (!SameText(registered.name, driver)) continue;
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
    // The plain delete: asked to delete the driver's unused files, the spooler of Windows 2000 and later
    // would take the shared files Windows' own drivers need too. Removal deletes the medium's files itself.
    bool removed = DeletePrinterDriverA(nullptr, ComponentEnvironment(system), &name[0]);
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
            if (IsPlainFile(file.path))
                report({RemovalKind::ComponentFile, file.path, RemovalResult::Failed, "", error});
        }
        return false;
    }
    std::vector<ComponentFile> ours;
    std::vector<std::string> said;
    for (const ComponentFile& file : files) {
        // Two removed drivers name the same file: it is decided, and said, once.
        if (ListedIn(said, file.path)) continue;
        said.push_back(file.path);
        if (!IsSystemSharedFile(file.path, system)) {
            ours.push_back(file);
        } else if (IsPlainFile(file.path)) {
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
        SameText(registered, "n" + monitor.dll))
        AddPath(files, folder, registered);
    return files;
}

bool RemoveMonitorFiles(const std::vector<ComponentFile>& files, const MediumNames& names,
                        const RemovalReport& report) {
    std::vector<Registration> monitors = RegisteredMonitors();
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
    std::string folder = ProcessorFolderOf(system);
    for (const std::string& name : FilesOf(names.processorFiles, processor)) AddPath(files, folder, name);
    return files;
}

bool RemoveProcessorFiles(const std::vector<ComponentFile>& files, TargetSystem system,
                          const RemovalReport& report) {
    return RemoveFiles(files, RegisteredProcessors(system), IDS_REMOVAL_PROCESSOR_USES_FILE, report);
}
