#include "deploy/TestPage.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "engine/SerialSettings.h"
#include "removal/MediumNames.h"
#include "removal/SystemPrinters.h"
#include "usb/UsbDriverVersion.h"

namespace {
const char kNoVersion[] = "0.0.0.0";

// The catalogue's model one of whose drivers (either family) on this system is the driver named; false
// when the medium names no such driver.
bool ModelOfDriver(const std::string& driver, std::string& model) {
    for (const ModelDrivers& each : ReadMediumNames(RunningSystem()).modelDrivers) {
        if (!ListedIn(each.drivers, driver)) continue;
        model = each.model;
        return true;
    }
    return false;
}

// The version of the printer's driver file as its version resource states it; empty when it states none.
// False with the error when the printer cannot be opened or its driver not read.
bool DriverVersion(const SystemPrinter& printer, std::string& version, DWORD& error) {
    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printer.name.c_str()), &handle, nullptr)) {
        error = GetLastError();
        return false;
    }
    DWORD needed = 0;
    GetPrinterDriverA(handle, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed != 0 ? needed : 1);
    BOOL read = needed != 0 && GetPrinterDriverA(handle, nullptr, 3, buffer.data(), needed, &needed);
    error = read ? 0 : GetLastError();
    ClosePrinter(handle);
    if (!read) return false;
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    char text[64] = {};
    if (info->pDriverPath != nullptr) GetFileVersionString(info->pDriverPath, text);
    version = strcmp(text, kNoVersion) == 0 ? "" : text;
    return true;
}

// True when the port is among the system's ports, which every monitor is asked for: a printer on a port
// no monitor serves (its monitor removed, say) would lose the job at the port. False with the error.
bool PortListed(const std::string& port, DWORD& error) {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed != 0 ? needed : 1);
    if (!EnumPortsA(nullptr, 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) {
        error = GetLastError();
        return false;
    }
    const PORT_INFO_1A* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        if (ports[index].pName != nullptr && lstrcmpiA(ports[index].pName, port.c_str()) == 0) return true;
    }
    error = ERROR_UNKNOWN_PORT;
    return false;
}

std::string MediumVersion() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    char version[64] = {};
    if (length != 0 && length < sizeof path) GetFileVersionString(path, version);
    return version;
}

// The names of the systems, in the order of TargetSystem.
const UINT kSystemNames[] = {IDS_TESTPAGE_WINDOWS_98_ME, IDS_TESTPAGE_WINDOWS_NT4,
                             IDS_TESTPAGE_WINDOWS_2000,  IDS_TESTPAGE_WINDOWS_XP,
                             IDS_TESTPAGE_WINDOWS_2003,  IDS_TESTPAGE_WINDOWS_VISTA};

// The page's line of the running system: the name of the family member it reports, and its version
// numbers.
std::string SystemLine() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return ResourceText(IDS_TESTPAGE_SYSTEM_UNKNOWN);
    return FormatResource(IDS_TESTPAGE_SYSTEM, ResourceText(kSystemNames[RunningSystem()]).c_str(),
                          static_cast<unsigned long>(info.dwMajorVersion),
                          static_cast<unsigned long>(info.dwMinorVersion),
                          static_cast<unsigned long>(LOWORD(info.dwBuildNumber)));
}

// A serial port's settings in force, where the system keeps them ("9600,n,8,1,x"); empty for other ports.
std::string SerialSettingsText(const std::string& port) {
    const char* portKey = SerialSettingsKey(port.c_str());
    int baudRate = 0;
    int dataBits = 0;
    double stopBits = 0;
    char parity = 0;
    char flow = 0;
    if (portKey == nullptr || !ReadSerialSettings(portKey, RunningSystem() == Windows98Me, baudRate, dataBits,
                                                  stopBits, parity, flow))
        return "";
    char text[kSerialSettingsSize];
    FormatSerialSettings(text, baudRate, dataBits, stopBits, parity, flow);
    return text;
}

TestPageText PageText(const SystemPrinter& printer, const std::string& model, const std::string& version) {
    TestPageText page;
    page.documentName = FormatResource(IDS_TESTPAGE_DOCUMENT, printer.name.c_str());
    SYSTEMTIME now;
    GetLocalTime(&now);
    char time[32];
    FormatText(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
               now.wMinute, now.wSecond);
    std::string serial = SerialSettingsText(printer.port);
    page.lines = {
        ResourceText(IDS_TESTPAGE_TITLE),
        FormatResource(IDS_TESTPAGE_PRINTER, printer.name.c_str()),
        FormatResource(IDS_TESTPAGE_MODEL, model.c_str()),
        version.empty() ? FormatResource(IDS_TESTPAGE_DRIVER_NO_VERSION, printer.driver.c_str())
                        : FormatResource(IDS_TESTPAGE_DRIVER, printer.driver.c_str(), version.c_str()),
        serial.empty() ? FormatResource(IDS_TESTPAGE_PORT, printer.port.c_str())
                       : FormatResource(IDS_TESTPAGE_PORT_SETTINGS, printer.port.c_str(), serial.c_str()),
        FormatResource(IDS_TESTPAGE_PROCESSOR, printer.processor.c_str()),
        SystemLine(),
        FormatResource(IDS_TESTPAGE_TIME, time),
        FormatResource(IDS_TESTPAGE_MEDIUM_VERSION, MediumVersion().c_str()),
        ResourceText(IDS_TESTPAGE_CHINESE),
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
        "abcdefghijklmnopqrstuvwxyz",
        "0123456789 +-*/=()[]<>#%&@",
    };
    return page;
}

// The steps of the page; false with the line of the step that failed in step (its format takes the
// printer's name) and the error.
bool PrintPage(const SystemPrinter& printer, const std::string& model, UINT& step, unsigned long& error) {
    DWORD stepError = 0;
    step = IDS_TESTPAGE_FAILED_FINDING_PORT;
    if (!PortListed(printer.port, stepError)) {
        error = stepError;
        return false;
    }
    step = IDS_TESTPAGE_FAILED_OPENING;
    std::string version;
    if (!DriverVersion(printer, version, stepError)) {
        error = stepError;
        return false;
    }
    return DrawTestPage(printer.driver.c_str(), printer.name.c_str(), printer.port.c_str(),
                        PageText(printer, model, version), step, error);
}

// False when the spooler lists no printer of that name; listed false (the line said) when it cannot list.
bool FindPrinter(const char* name, SystemPrinter& found, bool& listed) {
    std::vector<SystemPrinter> printers;
    listed = ListSystemPrinters(printers);
    for (const SystemPrinter& printer : printers) {
        if (lstrcmpiA(printer.name.c_str(), name) != 0) continue;
        found = printer;
        return true;
    }
    return false;
}
}  // namespace

int PrintTestPageOn(const char* printerName) {
    SystemPrinter printer = {};
    bool listed = true;
    if (!FindPrinter(printerName, printer, listed)) {
        if (!listed) return kExitFailed;
        SayResourceFormatted(IDS_TESTPAGE_NO_PRINTER, printerName);
        return kExitRefused;
    }
    std::string model;
    if (!ModelOfDriver(printer.driver, model)) {
        SayResourceFormatted(IDS_TESTPAGE_NOT_OF_MEDIUM, printer.name.c_str(), printer.driver.c_str());
        return kExitRefused;
    }
    SayResourceFormatted(IDS_TESTPAGE_PRINTING, printer.name.c_str(), printer.port.c_str());
    UINT step = 0;
    unsigned long error = 0;
    if (!PrintPage(printer, model, step, error)) {
        SayWithError(FormatResource(step, printer.name.c_str()).c_str(), error);
        return kExitFailed;
    }
    SayResourceFormatted(IDS_TESTPAGE_PRINTED, printer.name.c_str(), printer.name.c_str());
    return kExitDone;
}
