// QelvanDeploy remove: deletes a printer whose driver the medium names and, when asked, its driver and
// the medium's port monitors, print processor and USB port record once nothing uses them. Each item is
// said removed, kept (with the reason) or failed (with the error number).
#include <windows.h>
#include <winspool.h>

#include "common/RegistryKey.h"
#include "config/PortRegistry.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/SystemPrinters.h"
#include "engine/ComponentKeys.h"

namespace {
struct Outcome {
    bool failed = false;
    void Report(bool removed, const std::string& what, DWORD error) {
        if (removed) {
            SayFormatted("已删除：%s", what.c_str());
            return;
        }
        SayWithError(("删除失败：" + what).c_str(), error);
        failed = true;
    }
};

bool FindPrinter(const std::vector<SystemPrinter>& printers, const char* name, SystemPrinter& found) {
    for (const SystemPrinter& printer : printers) {
        if (lstrcmpiA(printer.name.c_str(), name) != 0) continue;
        found = printer;
        return true;
    }
    return false;
}

// Says the item is kept, naming the first remaining printer that uses it; false when none does.
template <typename Uses>
bool KeptWhileUsed(const std::vector<SystemPrinter>& rest, const std::string& what, Uses uses) {
    for (const SystemPrinter& printer : rest) {
        if (!uses(printer)) continue;
        SayFormatted("保留：%s（打印机 %s 仍在使用）", what.c_str(), printer.name.c_str());
        return true;
    }
    return false;
}

bool DeleteNamedPrinter(const SystemPrinter& printer, Outcome& outcome) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::string name = printer.name;
    bool removed = OpenPrinterA(&name[0], &handle, &access) && DeletePrinter(handle);
    DWORD error = removed ? 0 : GetLastError();
    if (handle != nullptr) ClosePrinter(handle);
    outcome.Report(removed, "打印机 " + printer.name, error);
    return removed;
}

void RemoveDriver(const std::string& driver, TargetSystem system, const std::vector<SystemPrinter>& rest,
                  Outcome& outcome) {
    std::string what = "驱动程序 " + driver;
    auto uses = [&](const SystemPrinter& printer) {
        return lstrcmpiA(printer.driver.c_str(), driver.c_str()) == 0;
    };
    if (KeptWhileUsed(rest, what, uses)) return;
    std::string name = driver;
    bool removed = DeletePrinterDriverA(nullptr, ComponentEnvironment(system), &name[0]);
    outcome.Report(removed, what, removed ? 0 : GetLastError());
}

// The maker's records of a USB port: its device number and its slot entry.
void RemoveUsbPortRecord(const std::string& port, const std::vector<SystemPrinter>& rest, Outcome& outcome) {
    if (port.find("USB_") == std::string::npos) return;
    std::string what = "USB端口记录 " + port;
    auto uses = [&](const SystemPrinter& printer) {
        return lstrcmpiA(printer.port.c_str(), port.c_str()) == 0;
    };
    if (KeptWhileUsed(rest, what, uses)) return;
    DWORD error = 0;
    bool removed = RemoveUsbPortRecords(port.c_str(), error);
    outcome.Report(removed, what, error);
}

void RemoveMonitor(const MediumMonitor& monitor, TargetSystem system, const std::vector<SystemPrinter>& rest,
                   Outcome& outcome) {
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.name.c_str(), keyPath);
    unsigned long version = 0;
    if (!InstalledVersion(keyPath, version)) return;
    std::string what = "端口监视器 " + monitor.name;
    auto uses = [&](const SystemPrinter& printer) { return monitor.needsIt(printer.port.c_str(), system); };
    if (KeptWhileUsed(rest, what, uses)) return;
    std::string name = monitor.name;
    bool removed = DeleteMonitorA(nullptr, nullptr, &name[0]);
    outcome.Report(removed, what, removed ? 0 : GetLastError());
}

typedef BOOL(WINAPI* DeletePrintProcessorFunction)(LPSTR, LPSTR, LPSTR);

void RemoveProcessor(const std::string& processor, TargetSystem system,
                     const std::vector<SystemPrinter>& rest, Outcome& outcome) {
    char keyPath[kComponentKeyPathSize];
    ProcessorKeyPath(system, processor.c_str(), keyPath);
    unsigned long version = 0;
    if (!InstalledVersion(keyPath, version)) return;
    std::string what = "打印处理器 " + processor;
    auto uses = [&](const SystemPrinter& printer) {
        return lstrcmpiA(printer.processor.c_str(), processor.c_str()) == 0;
    };
    if (KeptWhileUsed(rest, what, uses)) return;
    // Not every target system's spooler library exports the call: it is looked up when needed.
    HMODULE spooler = LoadLibraryA("winspool.drv");
    auto deleteProcessor = reinterpret_cast<DeletePrintProcessorFunction>(
        spooler != nullptr ? reinterpret_cast<void*>(GetProcAddress(spooler, "DeletePrintProcessorA"))
                           : nullptr);
    std::string name = processor;
    bool removed =
        deleteProcessor != nullptr && deleteProcessor(nullptr, ComponentEnvironment(system), &name[0]);
    DWORD error = deleteProcessor == nullptr ? ERROR_PROC_NOT_FOUND : GetLastError();
    if (spooler != nullptr) FreeLibrary(spooler);
    // A spooler that answers the call without removing the registration (Wine's) leaves the key with
    // its "Driver" and the installation's "DriverVersion": it is removed here, so that the next
    // installation registers the processor afresh.
    if (removed && InstalledVersion(keyPath, version) &&
        !RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath)) {
        removed = false;
        error = GetLastError();
    }
    outcome.Report(removed, what, removed ? 0 : error);
}
}  // namespace

int RunRemoveCommand(const Switches& switches) {
    const char* name = switches.Value("printer");
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    if (!ReadSystemPrinters(printers)) return kExitFailed;
    SystemPrinter printer;
    if (!FindPrinter(printers, name, printer)) {
        SayFormatted("本机没有名为 %s 的打印机。", name);
        return kExitRefused;
    }
    if (!Contains(names.drivers, printer.driver)) {
        SayFormatted("打印机 %s 的驱动程序 %s 不是安装介质上的，不删除。", printer.name.c_str(),
                     printer.driver.c_str());
        return kExitRefused;
    }
    Outcome outcome;
    if (!DeleteNamedPrinter(printer, outcome)) return kExitFailed;
    std::vector<SystemPrinter> rest;
    if (!ReadSystemPrinters(rest)) return kExitFailed;
    if (switches.Has("driver")) RemoveDriver(printer.driver, system, rest, outcome);
    if (switches.Has("components")) {
        RemoveUsbPortRecord(printer.port, rest, outcome);
        for (const MediumMonitor& monitor : names.monitors) RemoveMonitor(monitor, system, rest, outcome);
        for (const std::string& processor : names.processors)
            RemoveProcessor(processor, system, rest, outcome);
    }
    return outcome.failed ? kExitFailed : kExitDone;
}
