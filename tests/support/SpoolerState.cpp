#include "tests/support/SpoolerState.h"

#include <vector>

const char kNtEnvironment[] = "Windows NT x86";
const char k9xEnvironment[] = "Windows 4.0";

namespace {
std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

std::string SpoolerDirectory(const char* environment, bool processor) {
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(path);
    char* env = const_cast<char*>(environment);
    BOOL got = processor ? GetPrintProcessorDirectoryA(nullptr, env, 1, buffer, sizeof path, &needed)
                         : GetPrinterDriverDirectoryA(nullptr, env, 1, buffer, sizeof path, &needed);
    return got ? path : "";
}
}  // namespace

const char* EnvironmentOf(TargetSystem system) {
    return system == Windows98Me ? k9xEnvironment : kNtEnvironment;
}

std::string SpoolerDriverDirectory(const char* environment) {
    return SpoolerDirectory(environment, false);
}

std::string SpoolerProcessorDirectory(const char* environment) {
    return SpoolerDirectory(environment, true);
}

PrinterRecord RecordOf(const PRINTER_INFO_2A& info) {
    PrinterRecord record;
    record.found = true;
    record.name = Text(info.pPrinterName);
    record.driver = Text(info.pDriverName);
    record.port = Text(info.pPortName);
    record.processor = Text(info.pPrintProcessor);
    record.attributes = info.Attributes;
    return record;
}

PrinterRecord ReadPrinter(const std::string& name) {
    PrinterRecord record;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return record;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    if (needed != 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed))
        record = RecordOf(*reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data()));
    ClosePrinter(printer);
    return record;
}

void RemovePrinter(const std::string& name) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

void RemovePrinterDriver(const std::string& name, const char* environment) {
    DeletePrinterDriverA(nullptr, const_cast<char*>(environment), const_cast<char*>(name.c_str()));
}

std::string MonitorKey(const std::string& monitor) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + monitor;
}

std::string ProcessorKey(const char* environment, const std::string& processor) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + environment +
           "\\Print Processors\\" + processor;
}
