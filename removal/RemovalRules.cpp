#include "removal/RemovalRules.h"

#include <winspool.h>

#include "choices/InstallRules.h"
#include "choices/InstallChoices.h"
#include "common/FileNames.h"
#include "common/RegistryKey.h"
#include "config/PortRegistry.h"
#include "common/ResourceText.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverMediumRecord.h"
#include "removal/ComponentFiles.h"
#include "removal/RemovalTextIds.h"
#include "engine/SpoolerLibraryFunction.h"

namespace {
typedef std::function<bool(const SystemPrinter&)> Uses;

class Reporter {
public:
    explicit Reporter(const RemovalReport& report) : report_(report) {}
    void Done(RemovalKind kind, const std::string& name, bool removed, DWORD error) {
        report_(
            {kind, name, removed ? RemovalResult::Removed : RemovalResult::Failed, "", removed ? 0 : error});
        failed = failed || !removed;
    }
    // Reports the item kept, naming the first remaining printer that uses it; false when none does.
    bool KeptWhileUsed(RemovalKind kind, const std::string& name, const std::vector<SystemPrinter>& rest,
                       const Uses& uses) {
        for (const SystemPrinter& printer : rest) {
            if (!uses(printer)) continue;
            report_({kind, name, RemovalResult::Kept, printer.name, 0});
            return true;
        }
        return false;
    }
    // Counts a step that reported its items itself; ok false when one of them failed.
    void Also(bool ok) { failed = failed || !ok; }
    const RemovalReport& Report() const { return report_; }
    bool failed = false;

private:
    const RemovalReport& report_;
};

bool DeleteNamedPrinter(const SystemPrinter& printer, Reporter& reporter) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::string name = printer.name;
    bool removed = OpenPrinterA(&name[0], &handle, &access) && DeletePrinter(handle);
    DWORD error = removed ? 0 : GetLastError();
    if (handle != nullptr) ClosePrinter(handle);
    reporter.Done(RemovalKind::Printer, printer.name, removed, error);
    return removed;
}

// Deletes the driver's registration unless a printer that stays uses it; the medium's files of a
// driver it deleted are added to files, which go once every driver of the removal is gone.
void RemoveDriver(const std::string& driver, const MediumNames& names, TargetSystem system,
                  const std::vector<SystemPrinter>& rest, Reporter& reporter,
                  std::vector<ComponentFile>& files) {
    auto uses = [&](const SystemPrinter& printer) { return SameText(printer.driver, driver); };
    if (reporter.KeptWhileUsed(RemovalKind::Driver, driver, rest, uses)) return;
    std::vector<ComponentFile> own = DriverFiles(driver, names, system);
    DWORD error = 0;
    bool removed = DeleteDriverRegistration(driver, system, error);
    reporter.Done(RemovalKind::Driver, driver, removed, error);
    if (!removed) return;
    ForgetDriverMedium(driver);
    files.insert(files.end(), own.begin(), own.end());
}

// The port a printer reaches a USB port record by: the record's own name, or the short alias the
// installation gives certain models' ports (the engine records the full name, the printer uses the alias).
bool ReachesPort(const SystemPrinter& printer, const std::string& recordedPort) {
    if (SameText(printer.port, recordedPort)) return true;
    char alias[kPortNameSize];
    return BuildUsbPortAlias(recordedPort.c_str(), alias, sizeof alias) && SameText(printer.port, alias);
}

// The maker's records of a USB port: its device number and its slot entry.
void RemoveUsbPortRecord(const std::string& port, const std::vector<SystemPrinter>& rest,
                         Reporter& reporter) {
    if (port.compare(0, 4, "USB_") != 0) return;
    auto uses = [&](const SystemPrinter& printer) { return ReachesPort(printer, port); };
    if (reporter.KeptWhileUsed(RemovalKind::UsbPortRecord, port, rest, uses)) return;
    DWORD error = 0;
    bool removed = RemoveUsbPortRecords(port.c_str(), error);
    reporter.Done(RemovalKind::UsbPortRecord, port, removed, error);
}

// The records of a printer's USB port, and those the installation made under the port's full name when
// the printer uses its alias.
void RemovePrinterUsbRecords(const std::string& port, const MediumNames& names,
                             const std::vector<SystemPrinter>& rest, Reporter& reporter) {
    // Another medium's models keep their records: only the ports this medium offers are its own.
    if (ListedIn(names.usbPorts, port)) RemoveUsbPortRecord(port, rest, reporter);
    if (port.compare(0, 4, "USB_") != 0 || port.empty()) return;
    const char number = port[port.size() - 1];
    for (const std::string& model : names.models) {
        std::string full = "USB_" + model + "_" + number;
        char alias[kPortNameSize];
        if (SameText(full, port) || !BuildUsbPortAlias(full.c_str(), alias, sizeof alias) ||
            !SameText(alias, port))
            continue;
        // Only a record that is there is reported: most models have no alias.
        for (const std::string& recorded : RecordedUsbPorts()) {
            if (SameText(recorded, full) && ListedIn(names.usbPorts, full))
                RemoveUsbPortRecord(full, rest, reporter);
        }
    }
}

void RemoveMonitor(const MediumMonitor& monitor, const MediumNames& names, TargetSystem system,
                   const std::vector<SystemPrinter>& rest, Reporter& reporter) {
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.name.c_str(), keyPath);
    unsigned long version = 0;
    if (!InstalledVersion(keyPath, version)) return;
    // A printer of another maker needs the monitor only on a port the medium's port page offers (on the
    // NT family its monitor serves "TVCOMn:", not the system's "COMn:").
    auto uses = [&](const SystemPrinter& printer) {
        return monitor.needsIt(printer.port.c_str(), system) &&
               (ListedIn(names.drivers, printer.driver) || ListedIn(names.offeredPorts, printer.port));
    };
    if (reporter.KeptWhileUsed(RemovalKind::Monitor, monitor.name, rest, uses)) return;
    std::vector<ComponentFile> files = MonitorFiles(monitor);
    std::string name = monitor.name;
    bool removed = DeleteMonitorA(nullptr, nullptr, &name[0]);
    reporter.Done(RemovalKind::Monitor, monitor.name, removed, removed ? 0 : GetLastError());
    if (removed) reporter.Also(RemoveMonitorFiles(files, names, reporter.Report()));
}

typedef BOOL(WINAPI* DeletePrintProcessorFunction)(LPSTR, LPSTR, LPSTR);

void RemoveProcessor(const std::string& processor, const MediumNames& names, TargetSystem system,
                     const std::vector<SystemPrinter>& rest, Reporter& reporter) {
    char keyPath[kComponentKeyPathSize];
    ProcessorKeyPath(system, processor.c_str(), keyPath);
    unsigned long version = 0;
    if (!InstalledVersion(keyPath, version)) return;
    auto uses = [&](const SystemPrinter& printer) { return SameText(printer.processor, processor); };
    if (reporter.KeptWhileUsed(RemovalKind::Processor, processor, rest, uses)) return;
    std::vector<ComponentFile> files = ProcessorFiles(processor, names, system);
    // Not every target system's spooler library exports the call: it is looked up when needed.
    SpoolerLibraryFunction function("DeletePrintProcessorA");
    auto deleteProcessor = function.As<DeletePrintProcessorFunction>();
    std::string name = processor;
    bool removed =
        deleteProcessor != nullptr && deleteProcessor(nullptr, ComponentEnvironment(system), &name[0]);
    DWORD error = deleteProcessor == nullptr ? ERROR_PROC_NOT_FOUND : GetLastError();
    // A spooler that answers the call without removing the registration (Wine's) leaves the key with
    // its "Driver" and the installation's "DriverVersion": it is removed here, so that the next
    // installation registers the processor afresh.
    if (removed && InstalledVersion(keyPath, version) &&
        !RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath, &error)) {
        removed = false;
    }
    reporter.Done(RemovalKind::Processor, processor, removed, removed ? 0 : error);
    if (removed) reporter.Also(RemoveProcessorFiles(files, system, reporter.Report()));
}

void RemoveComponents(const MediumNames& names, TargetSystem system, const std::vector<SystemPrinter>& rest,
                      Reporter& reporter) {
    for (const MediumMonitor& monitor : names.monitors) RemoveMonitor(monitor, names, system, rest, reporter);
    for (const std::string& processor : names.processors)
        RemoveProcessor(processor, names, system, rest, reporter);
}

bool ReadRest(std::vector<SystemPrinter>& rest, Reporter& reporter) {
    DWORD error = 0;
    if (ReadSystemPrinters(rest, error)) return true;
    reporter.Done(RemovalKind::PrinterList, "", false, error);
    return false;
}

UINT KindTextId(RemovalKind kind) {
    switch (kind) {
        case RemovalKind::Printer:
            return IDS_REMOVAL_KIND_PRINTER;
        case RemovalKind::PrinterList:
            return IDS_REMOVAL_KIND_PRINTER_LIST;
        case RemovalKind::Driver:
            return IDS_REMOVAL_KIND_DRIVER;
        case RemovalKind::UsbPortRecord:
            return IDS_REMOVAL_KIND_USB_PORT_RECORD;
        case RemovalKind::Monitor:
            return IDS_REMOVAL_KIND_MONITOR;
        case RemovalKind::Processor:
            return IDS_REMOVAL_KIND_PROCESSOR;
        case RemovalKind::ProgramEntry:
            return IDS_REMOVAL_KIND_PROGRAM_ENTRY;
        case RemovalKind::ProgramFile:
            return IDS_REMOVAL_KIND_PROGRAM_FILE;
        case RemovalKind::ProgramFolder:
            return IDS_REMOVAL_KIND_PROGRAM_FOLDER;
        case RemovalKind::ComponentFile:
            return IDS_REMOVAL_KIND_COMPONENT_FILE;
    }
    return 0;
}
}  // namespace

std::string RemovalKindText(RemovalKind kind) {
    UINT id = KindTextId(kind);
    return id != 0 ? ResourceText(id) : std::string();
}

std::string DescribeRemoval(const RemovalItem& item) {
    // The item: its kind, and its name after a space when it has one.
    std::string what = RemovalKindText(item.kind) + (item.name.empty() ? "" : " " + item.name);
    unsigned long error = static_cast<unsigned long>(item.error);
    switch (item.result) {
        case RemovalResult::Removed:
            return FormatResource(IDS_REMOVAL_REMOVED, what.c_str());
        case RemovalResult::Kept:
            if (item.kind == RemovalKind::ProgramFile || item.kind == RemovalKind::ProgramFolder ||
                item.kind == RemovalKind::ComponentFile)
                return FormatResource(IDS_REMOVAL_KEPT_BECAUSE, what.c_str(), item.usedBy.c_str());
            return FormatResource(IDS_REMOVAL_KEPT_IN_USE, what.c_str(), item.usedBy.c_str());
        case RemovalResult::AtRestart:
            return FormatResource(IDS_REMOVAL_AT_RESTART, what.c_str());
        case RemovalResult::Failed:
            if (item.kind == RemovalKind::PrinterList) return FormatResource(IDS_REMOVAL_LIST_FAILED, error);
            return FormatResource(IDS_REMOVAL_FAILED, what.c_str(), error);
    }
    return what;
}

std::vector<SystemPrinter> MediumPrinters(const std::vector<SystemPrinter>& printers,
                                          const MediumNames& names) {
    std::vector<SystemPrinter> medium;
    for (const SystemPrinter& printer : printers) {
        if (ListedIn(names.drivers, printer.driver)) medium.push_back(printer);
    }
    return medium;
}

bool RemovePrinterAndOrphans(const SystemPrinter& printer, RemovalScope scope, const MediumNames& names,
                             TargetSystem system, const RemovalReport& report) {
    Reporter reporter(report);
    if (!DeleteNamedPrinter(printer, reporter)) return false;
    std::vector<SystemPrinter> rest;
    if (!ReadRest(rest, reporter)) return false;
    if (scope.driver) {
        std::vector<ComponentFile> files;
        RemoveDriver(printer.driver, names, system, rest, reporter, files);
        reporter.Also(RemoveDriverFiles(files, system, report));
    }
    if (scope.components) {
        RemovePrinterUsbRecords(printer.port, names, rest, reporter);
        RemoveComponents(names, system, rest, reporter);
    }
    return !reporter.failed;
}

bool RemoveOrphans(RemovalScope scope, const MediumNames& names, TargetSystem system,
                   const RemovalReport& report) {
    Reporter reporter(report);
    std::vector<SystemPrinter> printers;
    if (!ReadRest(printers, reporter)) return false;
    if (scope.driver) {
        DWORD error = 0;
        std::vector<std::string> drivers = RegisteredMediumDrivers(names, system, error);
        if (error != 0) reporter.Done(RemovalKind::Driver, "", false, error);
        std::vector<ComponentFile> files;
        for (const std::string& driver : drivers)
            RemoveDriver(driver, names, system, printers, reporter, files);
        reporter.Also(RemoveDriverFiles(files, system, report));
    }
    if (scope.components) {
        // Another medium's models keep their records: only the ports this medium offers are its own.
        for (const std::string& port : RecordedUsbPorts()) {
            if (ListedIn(names.usbPorts, port)) RemoveUsbPortRecord(port, printers, reporter);
        }
        RemoveComponents(names, system, printers, reporter);
    }
    return !reporter.failed;
}

bool RemovePrintersThenOrphans(const std::vector<SystemPrinter>& printers, RemovalScope scope,
                               const MediumNames& names, TargetSystem system, const RemovalReport& report) {
    Reporter reporter(report);
    for (const SystemPrinter& printer : printers) DeleteNamedPrinter(printer, reporter);
    return RemoveOrphans(scope, names, system, report) && !reporter.failed;
}

std::vector<std::string> RegisteredMediumDrivers(const MediumNames& names, TargetSystem system,
                                                 DWORD& error) {
    std::vector<std::string> drivers;
    std::vector<Registration> registered;
    RegisteredDrivers(system, registered, error);
    for (const Registration& driver : registered) {
        if (ListedIn(names.drivers, driver.name)) drivers.push_back(driver.name);
    }
    return drivers;
}
