#pragma once
// The removal rules both removal programs follow (the deployment program's remove command and the
// removal window): a printer whose driver the medium names is deleted, and with it, when asked, its
// driver and the medium's port monitors, print processor and USB port records once no printer that
// stays uses them. What a failed installation left with no printer to reach it by goes the same way.
// Each item's outcome is handed to the caller, who tells the user in its own way.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/SharedTypes.h"
#include "removal/MediumNames.h"
#include "removal/SystemPrinters.h"

enum class RemovalKind {
    Printer,
    PrinterList,
    Driver,
    UsbPortRecord,
    Monitor,
    Processor,
    ProgramEntry,
    ProgramFile,
    ProgramFolder,
    ComponentFile  // a file of a driver, port monitor or print processor in the system's folders
};
// AtRestart: in use now, deleted at the next start of the system.
enum class RemovalResult { Removed, Kept, Failed, AtRestart };

struct RemovalItem {
    RemovalKind kind;
    std::string name;
    RemovalResult result;
    std::string usedBy;  // Kept: the first printer that stays and uses it; for a file or folder, why
    DWORD error;         // Failed: the platform's code
};
typedef std::function<void(const RemovalItem& item)> RemovalReport;

// The words the user reads for a kind of item ("打印机", "驱动程序", ...).
std::string RemovalKindText(RemovalKind kind);
// The line the user reads for an item: "已删除：打印机 QR-58(U) 1", "保留：驱动程序 ...（打印机 ... 仍在
// 使用）", "删除失败：端口监视器 ...  er = 5", "重新启动后删除：安装目录中的文件 ...".
std::string DescribeRemoval(const RemovalItem& item);

struct RemovalScope {
    bool driver;      // also the printer's driver, and the medium's drivers no printer uses
    bool components;  // also the monitors, the processor and the USB port records no printer needs
};

// The printers whose driver the medium names, in the spooler's order.
std::vector<SystemPrinter> MediumPrinters(const std::vector<SystemPrinter>& printers,
                                          const MediumNames& names);

// Deletes the printer, then what scope asks for among what it leaves unused. False when an item failed.
bool RemovePrinterAndOrphans(const SystemPrinter& printer, RemovalScope scope, const MediumNames& names,
                             TargetSystem system, const RemovalReport& report);

// Deletes each of the printers, then what scope asks for among what they leave unused (and what was
// unused before): each item is said once, not once a printer. False when an item failed.
bool RemovePrintersThenOrphans(const std::vector<SystemPrinter>& printers, RemovalScope scope,
                               const MediumNames& names, TargetSystem system, const RemovalReport& report);

// What is left of the medium with no printer to reach it by, as scope asks: its registered drivers, the
// maker's USB port records, the port monitors and the print processor that no printer uses. False when
// an item failed.
bool RemoveOrphans(RemovalScope scope, const MediumNames& names, TargetSystem system,
                   const RemovalReport& report);

// The medium's drivers registered for the system's environment; error is set when the spooler cannot
// list them (the list is then empty).
std::vector<std::string> RegisteredMediumDrivers(const MediumNames& names, TargetSystem system, DWORD& error);
