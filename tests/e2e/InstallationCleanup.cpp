#include "tests/e2e/InstallationCleanup.h"

#include <windows.h>
#include <winspool.h>

#include "tests/e2e/PrefixState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WizardDriver.h"

namespace {
const char kMakerKey[] = "SOFTWARE\\TALVERN";
// The media that added the drivers, one value per driver.
const char kDriverMediaKey[] = "SOFTWARE\\Qelvan\\Drivers";
const char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";
const char* const kSystemFolders[] = {"win98", "winnt", "win2003", "Vista"};
const char* const kMonitorKeys[] = {"COMMONitorPDLLName", "COMMONitorPUIDLLName", "USBMONitorPDLLName",
                                    "USBMONitorPUIDLLName"};
const char* const kMonitorSections[] = {"COMMON-MONITOR.98", "COMMON-MONITOR.NT",   "COMMON-MONITOR.2K",
                                        "COMMON-MONITOR.XP", "COMMON-MONITOR.2003", "COMMON-MONITOR.Vista"};
const char* const kMonitorNameKeys[] = {"COMMONitorPName", "USBMONitorPName"};

void DeleteKeyTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteKeyTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

// The files of the built medium's system folders: what may have been copied into spooler directories.
std::vector<std::string> MediumFileNames() {
    std::vector<std::string> names;
    for (const char* folder : kSystemFolders) {
        for (const std::string& name : FilesIn(MediumDir() + "\\" + folder)) {
            names.push_back(name);
            names.push_back("n" + name);  // the prefixed copy of a file that was in use
        }
    }
    return names;
}

void RemovePrinters() {
    for (const PrinterRecord& printer : MakerPrinters()) RemovePrinter(printer.name);
}

void RemoveDrivers() {
    for (const char* environment : {kNtEnvironment, k9xEnvironment}) {
        for (const std::string& driver : MakerDrivers(environment)) RemovePrinterDriver(driver, environment);
    }
}

// The monitors, their files and the print processor named by the built medium's common file.
void RemoveComponents() {
    std::string common = MediumDir() + "\\DRVCONFIG\\setup.ini";
    for (const char* section : kMonitorSections) {
        for (const char* key : kMonitorNameKeys) {
            char name[200] = {};
            GetPrivateProfileStringA(section, key, "", name, sizeof name, common.c_str());
            if (name[0] == '\0') continue;
            DeleteMonitorA(nullptr, nullptr, name);
            DeleteKeyTree(HKEY_LOCAL_MACHINE, MonitorKey(name));
        }
        for (const char* key : kMonitorKeys) {
            char file[200] = {};
            GetPrivateProfileStringA(section, key, "", file, sizeof file, common.c_str());
            if (file[0] == '\0') continue;
            RemoveFile(SystemDirectoryPath() + "\\" + file);
            RemoveFile(SystemDirectoryPath() + "\\n" + file);
        }
    }
    for (const char* environment : {kNtEnvironment, k9xEnvironment})
        DeleteKeyTree(HKEY_LOCAL_MACHINE, ProcessorKey(environment, "QelvanProc"));
}

void RemoveFiles() {
    std::vector<std::string> names = MediumFileNames();
    for (const char* environment : {kNtEnvironment, k9xEnvironment}) {
        std::string drivers = SpoolerDriverDirectory(environment);
        std::string processors = SpoolerProcessorDirectory(environment);
        for (const std::string& name : names) {
            for (const char* sub : {"\\", "\\3\\", "\\0\\"}) RemoveFile(drivers + sub + name);
            RemoveFile(processors + "\\" + name);
        }
    }
}

void RemoveCompatibilityRecords() {
    for (const std::string& name : ValueNames(HKEY_CURRENT_USER, kCompatibilityKey)) {
        if (name.find("QelvanSetup.exe") != std::string::npos)
            DeleteRegistryValue(HKEY_CURRENT_USER, kCompatibilityKey, name);
    }
}

// The entry in the list of installed programs, the folder it keeps and the removal window's copy.
void RemoveProgramEntry() {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallEntryKey);
    char programFiles[MAX_PATH] = {};
    DWORD size = sizeof programFiles;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ,
                      &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(programFiles),
                             &size) == ERROR_SUCCESS)
            RemoveTree(std::string(programFiles) + "\\Qelvan");
        RegCloseKey(key);
    }
    char temporary[MAX_PATH] = {};
    if (GetTempPathA(sizeof temporary, temporary) == 0) return;
    // The removal window's temporary copies, each in a folder of its own.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(temporary) + "QelvanRemoval*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        RemoveTree(std::string(temporary) + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

// The marker by which Windows 98/Me runs remember a restart that has not happened yet.
void ForgetPendingRestart() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA((std::string(windows) + "\\QELVANRS.PND").c_str());
}
}  // namespace

void InstallationCleanup::RemoveInstallations() {
    ForgetPendingRestart();
    RemoveProgramEntry();
    RemovePrinters();
    RemoveDrivers();
    RemoveComponents();
    RemoveFiles();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kMakerKey);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kDriverMediaKey);
    RemoveCompatibilityRecords();
}

InstallationCleanup::InstallationCleanup() {
    for (int i = 1; i <= 8; ++i) {
        std::string port = "COM" + std::to_string(i) + ":";
        SavedValue saved{port, false, ""};
        saved.present = ReadString(HKEY_LOCAL_MACHINE, kNtPortsKey, port.c_str(), saved.data);
        ntPorts_.push_back(saved);
        SavedValue profile{port, false, ""};
        profile.present = ReadProfileValue("Ports", port.c_str(), profile.data);
        profilePorts_.push_back(profile);
    }
    device_ = {"device", false, ""};
    device_.present = ReadProfileValue("windows", "device", device_.data);
    // A real Windows 98/Me has its print-processor directory; Wine does not make it.
    std::string processors = SpoolerProcessorDirectory(k9xEnvironment);
    madeProcessorDirectory_ = !processors.empty() && CreateDirectoryA(processors.c_str(), nullptr);
    RemoveInstallations();
}

InstallationCleanup::~InstallationCleanup() {
    RemoveInstallations();
    for (const SavedValue& port : ntPorts_) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtPortsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) break;
        if (port.present) {
            RegSetValueExA(key, port.name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(port.data.c_str()),
                           static_cast<DWORD>(port.data.size() + 1));
        } else {
            RegDeleteValueA(key, port.name.c_str());
        }
        RegCloseKey(key);
    }
    for (const SavedValue& port : profilePorts_)
        WriteProfileStringA("Ports", port.name.c_str(), port.present ? port.data.c_str() : nullptr);
    WriteProfileStringA("windows", "device", device_.present ? device_.data.c_str() : nullptr);
    if (madeProcessorDirectory_) RemoveDirectoryA(SpoolerProcessorDirectory(k9xEnvironment).c_str());
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", "");
}
