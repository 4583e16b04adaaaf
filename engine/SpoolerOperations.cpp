#include "engine/SpoolerOperations.h"

#include <cstdlib>
#include <cstring>

#include "common/BoundedText.h"
#include "engine/ComponentKeys.h"
#include "engine/SpoolerApi.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "engine/SpoolerLibraryFunction.h"

namespace {

constexpr int kLastPrinterNumber = 98;
constexpr size_t kPrinterNameSize = 260;

// The numbered printer name. The caller's record points here after a renamed CreatePrinter and keeps
// using the name afterwards (the engine copies it into the model name and sets the default printer
// with it), so it must outlive the call: it lives as long as the program.
char numberedName[kPrinterNameSize + 8];

// message = the string-table text that names the failed step with its error code.
void ReportError(MessageText& message, UINT textId, DWORD error) {
    FormatResourceText(message, textId, static_cast<int>(error));
}

// True when the spooler already holds a printer of that name. Wine's spooler never refuses a taken
// name (it replaces that printer, which then leaves its port), so the name is asked before every add,
// on every system. A printer the caller may not open still exists; any other refusal leaves the
// answer to AddPrinterA. A null or empty name would open the spooler itself, so it is never asked.
bool NameTaken(const char* name) {
    if (name == nullptr || name[0] == '\0') return false;
    HANDLE printer = nullptr;
    if (!Spooler().openPrinter(const_cast<char*>(name), &printer, nullptr))
        return GetLastError() == ERROR_ACCESS_DENIED;
    Spooler().closePrinter(printer);
    return true;
}

// AddPrinterA for a name not taken, closing the handle at once; 0 on success, otherwise the error
// code (ERROR_PRINTER_ALREADY_EXISTS for a taken name, whether found first or refused by the spooler).
DWORD AddOnePrinter(PRINTER_INFO_2A& info, DWORD level) {
    if (NameTaken(info.pPrinterName)) return ERROR_PRINTER_ALREADY_EXISTS;
    HANDLE printer = Spooler().addPrinter(nullptr, level, reinterpret_cast<BYTE*>(&info));
    if (printer == nullptr) {
        DWORD error = GetLastError();
        return error != 0 ? error : ERROR_INVALID_PARAMETER;
    }
    Spooler().closePrinter(printer);
    return 0;
}

// Tries the numbered names; 0 when one was added, otherwise the error that ended the attempts.
DWORD AddNumberedPrinter(PRINTER_INFO_2A& info, DWORD level) {
    char base[kPrinterNameSize];
    CopyText(base, info.pPrinterName);
    info.pPrinterName = numberedName;
    DWORD error = ERROR_PRINTER_ALREADY_EXISTS;
    for (int number = 1; number <= kLastPrinterNumber && error == ERROR_PRINTER_ALREADY_EXISTS; ++number) {
        FormatText(numberedName, sizeof numberedName, "%s(%d)", base, number);
        error = AddOnePrinter(info, level);
    }
    return error;
}

// True when text holds one of the characters. Steps over the double-byte characters of the ANSI code
// page, whose second byte may be the same as "\\".
bool HoldsAnyOf(const char* text, const char* characters) {
    for (const char* at = text; *at != '\0'; at = CharNextA(at)) {
        if (strchr(characters, *at) != nullptr) return true;
    }
    return false;
}

typedef BOOL(WINAPI* AddPrinterDriverExFunction)(LPSTR, DWORD, LPBYTE, DWORD);

// AddPrinterDriverExA with APD_COPY_ALL_FILES, looked up when needed: Windows NT 4.0 and 98/Me lack it.
// False when the system has no such call or the spooler refused it.
bool AddDriverReplacingFiles(DRIVER_INFO_3A& info) {
    SpoolerLibraryFunction function("AddPrinterDriverExA");
    auto addEx = function.As<AddPrinterDriverExFunction>();
    return addEx != nullptr && addEx(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_ALL_FILES);
}
}  // namespace

bool IsAcceptedPrinterName(const char* name) {
    return name == nullptr || !HoldsAnyOf(name, "\\,");
}

bool IsAcceptedDriverName(const char* name) {
    return name == nullptr || !HoldsAnyOf(name, "\\");
}

bool CreatePrinter(PRINTER_INFO_2A& info, DWORD level, bool noRename, MessageText& message) {
    if (!IsAcceptedPrinterName(info.pPrinterName)) {
        ReportError(message, IDS_ADD_PRINTER_FAILED_CODE, ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    DWORD error = AddOnePrinter(info, level);
    if (error == ERROR_PRINTER_ALREADY_EXISTS && !noRename) error = AddNumberedPrinter(info, level);
    if (error == 0) return true;
    if (error == ERROR_PRINTER_ALREADY_EXISTS) {
        LoadResourceText(IDS_PORT_PRINTERS_EXHAUSTED, message);
    } else {
        ReportError(message, IDS_ADD_PRINTER_FAILED_CODE, error);
    }
    return false;
}

bool AddDriver(DRIVER_INFO_3A& info, MessageText& message, bool replaceFiles) {
    if (!IsAcceptedDriverName(info.pName)) {
        ReportError(message, IDS_ADD_DRIVER_FAILED_CODE, ERROR_INVALID_NAME);
        return false;
    }
    if (replaceFiles && AddDriverReplacingFiles(info)) return true;
    if (Spooler().addPrinterDriver(nullptr, 3, reinterpret_cast<BYTE*>(&info))) return true;
    ReportError(message, IDS_ADD_DRIVER_FAILED_CODE, GetLastError());
    return false;
}

bool AddPortMonitor(MONITOR_INFO_2A& info, MessageText& message) {
    if (Spooler().addMonitor(nullptr, 2, reinterpret_cast<BYTE*>(&info))) return true;
    DWORD error = GetLastError();
    if (error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS) return true;
    ReportError(message, IDS_ADD_MONITOR_FAILED_CODE, error);
    return false;
}

int AddProcessor(const char* processorName, const char* fileName, int targetSystem) {
    if (Spooler().addPrintProcessor(nullptr, ComponentEnvironment(targetSystem), const_cast<char*>(fileName),
                                    const_cast<char*>(processorName))) {
        return 1;
    }
    DWORD error = GetLastError();
    if (error == ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS ||
        error == ERROR_INVALID_PARAMETER) {
        return static_cast<int>(error);
    }
    return 0;
}

bool CheckPortEnumeration(MessageText& message) {
    DWORD needed = 0;
    DWORD count = 0;
    void* probe = calloc(100, 1);
    if (probe) {
        Spooler().enumPorts(nullptr, 1, static_cast<BYTE*>(probe), 0, &needed, &count);
        free(probe);
    }
    void* ports = probe ? calloc(needed != 0 ? needed : 1, 1) : nullptr;
    bool listed =
        ports && Spooler().enumPorts(nullptr, 1, static_cast<BYTE*>(ports), needed, &needed, &count);
    free(ports);
    if (!listed) LoadResourceText(IDS_OUT_OF_MEMORY, message);
    return listed;
}
