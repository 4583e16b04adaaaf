#include "deploy/RunJournal.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "common/SystemFolders.h"
#include "common/WholeFile.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/FileSnapshot.h"
#include "deploy/JournalLines.h"
#include "deploy/RegistrySnapshot.h"
#include "engine/ComponentKeys.h"
#include "engine/Registrations.h"
#include "engine/SpoolerFolders.h"
#include "engine/SpoolerLibraryFunction.h"
#include "removal/ComponentFiles.h"
#include "removal/FolderPaths.h"
#include "removal/MediumNames.h"
#include "removal/PackageEntry.h"
#include "removal/ProgramEntry.h"
#include "removal/RemovalRules.h"

namespace {
const char kJournalFile[] = "journal.txt";

std::string JournalPath(const std::string& folder) {
    return folder + "\\" + kJournalFile;
}

// Every name the installation may place in the system's folders: the monitors' files (and the copy an
// installation makes when a monitor's file is in use), the drivers' and the processors' files and
// Windows' own driver files the medium supplies where they are missing.
std::vector<std::string> MediumFileNames(const MediumNames& names) {
    std::vector<std::string> files = {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "ICONLIB.DLL",
                                      "TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"};
    auto add = [&](const std::string& name) {
        if (!name.empty() && !ListedIn(files, name)) files.push_back(name);
    };
    for (const MediumMonitor& monitor : names.monitors) {
        add(monitor.dll);
        add("n" + monitor.dll);
        add(monitor.uiDll);
    }
    for (const MediumFiles& component : names.driverFiles)
        for (const std::string& file : component.files) add(file);
    for (const MediumFiles& component : names.processorFiles)
        for (const std::string& file : component.files) add(file);
    return files;
}

std::vector<std::string> MediumFilePaths(const MediumNames& names, TargetSystem system) {
    std::vector<std::string> folders;
    for (const std::string& folder :
         {SystemFolder(), DriverFolderOf(system), DriverVersionFolderOf(system), ProcessorFolderOf(system)}) {
        if (!folder.empty() && !ListedIn(folders, folder)) folders.push_back(folder);
    }
    std::vector<std::string> paths;
    for (const std::string& folder : folders)
        for (const std::string& name : MediumFileNames(names)) paths.push_back(folder + "\\" + name);
    return paths;
}

const char* DriverEnvironmentName(TargetSystem system) {
    return system == Windows98Me ? "Windows 4.0" : "Windows NT x86";
}

// The product's, the maker's and the spooler's keys of the medium's names the installation writes.
std::vector<KeySnapshot> KeysToSave(const MediumNames& names, TargetSystem system) {
    char entry[MAX_PATH];
    ProgramEntryKeyPath(entry);
    // The package's marker is the Windows Installer's to write and take back.
    std::string marker = FileNameOf(kPackageMarkerKey);
    std::vector<KeySnapshot> keys = {
        {HKEY_LOCAL_MACHINE, FolderOf(kPackageMarkerKey), marker},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\TALVERN", ""},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", ""},
        {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Ports", ""},
        {HKEY_LOCAL_MACHINE, entry, ""},
        // The NT family keeps the profile's [windows] section, the default printer, here.
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", ""},
    };
    char path[kComponentKeyPathSize];
    for (const MediumMonitor& monitor : names.monitors) {
        MonitorKeyPath(monitor.name.c_str(), path);
        keys.push_back({HKEY_LOCAL_MACHINE, path, ""});
    }
    for (const std::string& processor : names.processors) {
        ProcessorKeyPath(system, processor.c_str(), path);
        keys.push_back({HKEY_LOCAL_MACHINE, path, ""});
    }
    std::string drivers = std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") +
                          DriverEnvironmentName(system) + "\\Drivers\\";
    for (const std::string& driver : names.drivers) {
        for (const char* version : {"Version-0\\", "Version-2\\", "Version-3\\"})
            keys.push_back({HKEY_LOCAL_MACHINE, drivers + version + driver, ""});
    }
    return keys;
}

// The profile sections the installation writes: the ports' serial settings of Windows 98/Me and the
// default printer.
void SaveProfileValues(std::vector<std::string>& lines) {
    std::vector<char> keys(32768);
    DWORD length = GetProfileStringA("Ports", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
    lines.push_back(JournalLineOf("S", {"Ports"}));
    for (const char* key = keys.data(); key < keys.data() + length && *key != '\0'; key += strlen(key) + 1) {
        char value[1024] = {};
        GetProfileStringA("Ports", key, "", value, sizeof value);
        lines.push_back(JournalLineOf("W", {"Ports", key, value}));
    }
    char device[1024] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    lines.push_back(JournalLineOf("W", {"windows", "device", device}));
}

bool ComponentRegistered(const std::string& keyPath) {
    unsigned long version = 0;
    return InstalledVersion(keyPath.c_str(), version);
}

std::vector<std::string> RegisteredMediumMonitors(const MediumNames& names) {
    std::vector<std::string> monitors;
    char path[kComponentKeyPathSize];
    for (const MediumMonitor& monitor : names.monitors) {
        MonitorKeyPath(monitor.name.c_str(), path);
        if (ComponentRegistered(path)) monitors.push_back(monitor.name);
    }
    return monitors;
}

std::vector<std::string> RegisteredMediumProcessors(const MediumNames& names, TargetSystem system) {
    std::vector<std::string> processors;
    char path[kComponentKeyPathSize];
    for (const std::string& processor : names.processors) {
        ProcessorKeyPath(system, processor.c_str(), path);
        if (ComponentRegistered(path)) processors.push_back(processor);
    }
    return processors;
}

void AddNames(const char* tag, const std::vector<std::string>& names, std::vector<std::string>& lines) {
    for (const std::string& name : names) lines.push_back(JournalLineOf(tag, {name}));
}

bool WriteNewJournal(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return WriteNewFile(path, text);
}

// True when the journal ends with its closing line and holds as many lines before it as that says.
bool JournalWhole(const std::vector<std::string>& lines) {
    JournalLine closing;
    if (lines.empty() || !ReadJournalLine(lines.back(), closing) || closing.tag != "E" ||
        closing.fields.size() != 1)
        return false;
    return closing.fields[0] == std::to_string(lines.size() - 1);
}

// A journal is far smaller than this; anything larger is not one.
constexpr unsigned long kLargestJournal = 64UL * 1024 * 1024;

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    if (!ReadWholeFile(path, text, kLargestJournal)) return false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

std::vector<std::string> NamesTagged(const std::vector<std::string>& lines, const char* tag) {
    std::vector<std::string> names;
    for (const std::string& text : lines) {
        JournalLine line;
        if (ReadJournalLine(text, line) && line.tag == tag && line.fields.size() == 1)
            names.push_back(line.fields[0]);
    }
    return names;
}
}  // namespace

bool WriteRunJournal(const std::string& folder) {
    // The folder is made here, new: nothing another program put in it beforehand is written through.
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        DWORD error = GetLastError();
        SayWithError(FormatResource(IDS_JOURNAL_FOLDER_NOT_NEW, folder.c_str()).c_str(), error);
        return false;
    }
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    std::vector<std::string> lines;
    bool written = ListSystemPrinters(printers);
    for (const SystemPrinter& printer : printers) lines.push_back(JournalLineOf("P", {printer.name}));
    DWORD unread = 0;
    AddNames("D", RegisteredMediumDrivers(names, system, unread), lines);
    AddNames("M", RegisteredMediumMonitors(names), lines);
    AddNames("R", RegisteredMediumProcessors(names, system), lines);
    written = written && SaveFiles(MediumFilePaths(names, system), folder, lines);
    for (const KeySnapshot& key : KeysToSave(names, system)) written = written && SaveKeyTree(key, lines);
    SaveProfileValues(lines);
    // The closing line counts the lines before it: a journal cut short or added to is not trusted.
    lines.push_back(JournalLineOf("E", {std::to_string(lines.size())}));
    written = written && WriteNewJournal(JournalPath(folder), lines);
    if (written) return true;
    DWORD error = GetLastError();
    DiscardRunJournal(folder);
    SayResourceWithError(IDS_JOURNAL_NOT_WRITTEN, error);
    return false;
}

namespace {
typedef BOOL(WINAPI* DeletePrintProcessorFunction)(LPSTR, LPSTR, LPSTR);

// The profile values a journal saves: the ports' serial settings and the default printer.
bool IsSavedProfileValue(const std::string& section, const std::string& key) {
    return section == "Ports" || (section == "windows" && key == "device");
}

class Undo {
public:
    Undo(const std::vector<std::string>& lines, const std::string& folder)
        : lines_(lines), folder_(folder), system_(RunningSystem()), names_(ReadMediumNames(system_)) {}

    bool Run() {
        RemoveAddedPrinters();
        RemoveAddedDrivers();
        RemoveAddedComponents();
        RestoreFilesSaved();
        RestoreKeys();
        RestoreProfileValues();
        SayLostPrinters();
        return !failed_;
    }

private:
    void Report(RemovalKind kind, const std::string& name, bool removed, DWORD error) {
        Say(DescribeRemoval({kind, name, removed ? RemovalResult::Removed : RemovalResult::Failed, "", error})
                .c_str());
        failed_ = failed_ || !removed;
    }

    // The medium's printers that were not there before the run: the run added them.
    void RemoveAddedPrinters() {
        std::vector<SystemPrinter> printers;
        if (!ListSystemPrinters(printers)) {
            failed_ = true;
            return;
        }
        std::vector<std::string> before = NamesTagged(lines_, "P");
        std::vector<SystemPrinter> added;
        for (const SystemPrinter& printer : MediumPrinters(printers, names_)) {
            if (!ListedIn(before, printer.name)) added.push_back(printer);
        }
        RemovalScope printersOnly = {false, false};
        auto say = [&](const RemovalItem& item) {
            Say(DescribeRemoval(item).c_str());
            failed_ = failed_ || item.result == RemovalResult::Failed;
        };
        if (!added.empty()) RemovePrintersThenOrphans(added, printersOnly, names_, system_, say);
    }

    void RemoveAddedDrivers() {
        std::vector<std::string> before = NamesTagged(lines_, "D");
        DWORD unread = 0;
        for (const std::string& driver : RegisteredMediumDrivers(names_, system_, unread)) {
            if (ListedIn(before, driver)) continue;
            DWORD error = 0;
            Report(RemovalKind::Driver, driver, DeleteDriverRegistration(driver, system_, error), error);
        }
    }

    void RemoveAddedComponents() {
        std::vector<std::string> monitorsBefore = NamesTagged(lines_, "M");
        for (const std::string& monitor : RegisteredMediumMonitors(names_)) {
            if (ListedIn(monitorsBefore, monitor)) continue;
            std::string name = monitor;
            bool removed = DeleteMonitorA(nullptr, nullptr, &name[0]) != FALSE;
            Report(RemovalKind::Monitor, monitor, removed, removed ? 0 : GetLastError());
        }
        std::vector<std::string> processorsBefore = NamesTagged(lines_, "R");
        SpoolerLibraryFunction function("DeletePrintProcessorA");
        auto deleteProcessor = function.As<DeletePrintProcessorFunction>();
        for (const std::string& processor : RegisteredMediumProcessors(names_, system_)) {
            if (ListedIn(processorsBefore, processor)) continue;
            std::string name = processor;
            // A spooler that answers without removing the registration (Wine's) leaves its key, which the
            // keys' restore below takes away with the rest of what the run wrote.
            bool removed = deleteProcessor != nullptr &&
                           deleteProcessor(nullptr, ComponentEnvironment(system_), &name[0]);
            Report(RemovalKind::Processor, processor, removed, removed ? 0 : GetLastError());
        }
    }

    void RestoreFilesSaved() {
        // Only the paths and keys this run could have written down are touched, whatever the lines say.
        for (const RestoredFile& file : RestoreFiles(lines_, folder_, MediumFilePaths(names_, system_))) {
            switch (file.result) {
                case FileRestore::Unchanged:
                    break;
                case FileRestore::Restored:
                    SayResourceFormatted(IDS_ROLLBACK_FILE_RESTORED, file.path.c_str());
                    break;
                case FileRestore::Deleted:
                    Report(RemovalKind::ComponentFile, file.path, true, 0);
                    break;
                case FileRestore::Failed:
                    SayWithError(FormatResource(IDS_ROLLBACK_FILE_FAILED, file.path.c_str()).c_str(),
                                 file.error);
                    failed_ = true;
                    break;
            }
        }
    }

    void RestoreKeys() {
        std::vector<std::string> failures;
        RestoreKeyTrees(lines_, KeysToSave(names_, system_), failures);
        for (const std::string& place : failures)
            SayResourceFormatted(IDS_ROLLBACK_KEY_FAILED, place.c_str());
        failed_ = failed_ || !failures.empty();
    }

    void RestoreProfileValues() {
        std::vector<std::string> savedPorts;
        bool portsSaved = false;
        for (const std::string& text : lines_) {
            JournalLine line;
            if (!ReadJournalLine(text, line)) continue;
            if (line.tag == "S" && line.fields.size() == 1 && line.fields[0] == "Ports") portsSaved = true;
            if (line.tag != "W" || line.fields.size() != 3 ||
                !IsSavedProfileValue(line.fields[0], line.fields[1]))
                continue;
            if (line.fields[0] == "Ports") savedPorts.push_back(line.fields[1]);
            char now[1024] = {};
            GetProfileStringA(line.fields[0].c_str(), line.fields[1].c_str(), "", now, sizeof now);
            if (line.fields[2] == now) continue;
            // A default printer that was none before goes again.
            const char* value = line.fields[2].empty() ? nullptr : line.fields[2].c_str();
            WriteProfileStringA(line.fields[0].c_str(), line.fields[1].c_str(), value);
        }
        if (portsSaved) RemoveAddedPorts(savedPorts);
        WriteProfileStringA(nullptr, nullptr, nullptr);
    }

    void RemoveAddedPorts(const std::vector<std::string>& saved) {
        std::vector<char> keys(32768);
        DWORD length = GetProfileStringA("Ports", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
        for (const char* key = keys.data(); key < keys.data() + length && *key != '\0';
             key += strlen(key) + 1) {
            if (!ListedIn(saved, key)) WriteProfileStringA("Ports", key, nullptr);
        }
    }

    // A printer that was there before and is gone cannot be made again from the journal: said, not hidden.
    void SayLostPrinters() {
        std::vector<SystemPrinter> printers;
        if (!ListSystemPrinters(printers)) return;
        std::vector<std::string> now;
        for (const SystemPrinter& printer : printers) now.push_back(printer.name);
        for (const std::string& name : NamesTagged(lines_, "P")) {
            if (ListedIn(now, name)) continue;
            SayResourceFormatted(IDS_ROLLBACK_PRINTER_LOST, name.c_str());
            failed_ = true;
        }
    }

    const std::vector<std::string>& lines_;
    std::string folder_;
    TargetSystem system_;
    MediumNames names_;
    bool failed_ = false;
};
}  // namespace

bool UndoRun(const std::string& folder) {
    std::vector<std::string> lines;
    if (!ReadLines(JournalPath(folder), lines) || lines.empty()) {
        SayResourceFormatted(IDS_ROLLBACK_NO_JOURNAL, folder.c_str());
        return false;
    }
    // A journal cut short would call printers that were there added by the run.
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (!JournalWhole(lines)) {
        SayResourceFormatted(IDS_ROLLBACK_JOURNAL_DAMAGED, JournalPath(folder).c_str());
        return false;
    }
    SayResourceText(IDS_ROLLBACK_START);
    bool undone = Undo(lines, folder).Run();
    SayResourceText(undone ? IDS_ROLLBACK_DONE : IDS_ROLLBACK_INCOMPLETE);
    return undone;
}

bool RunJournalThere(const std::string& folder) {
    return !folder.empty() && IsPlainFile(JournalPath(folder));
}

void DiscardRunJournal(const std::string& folder) {
    if (folder.empty() || IsLink(folder)) return;
    std::vector<std::string> lines;
    ReadLines(JournalPath(folder), lines);
    for (const std::string& text : lines) {
        JournalLine line;
        if (!ReadJournalLine(text, line) || line.tag != "F" || line.fields.size() != 3) continue;
        const std::string& copy = line.fields[2];
        if (!copy.empty() && IsPlainRelativeName(copy) && copy.find('\\') == std::string::npos)
            DeleteFileA((folder + "\\" + copy).c_str());
    }
    DeleteFileA(JournalPath(folder).c_str());
    RemoveDirectoryA(folder.c_str());
}
