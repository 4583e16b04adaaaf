#include "tests/engine/EngineTestSupport.h"

namespace {

char kDriverFiles[][32] = {"qvtest_drv.txt", "qvtest_data.txt", "qvtest_ui.txt", "qvtest_help.txt"};
char kPort[] = "LPT1:";
char kProcessor[] = "winprint";
char kRaw[] = "RAW";

std::string SpoolerDirectory(bool processor) {
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(path);
    if (processor) {
        GetPrintProcessorDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    } else {
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    }
    return path;
}

}  // namespace

std::string SpoolerDriverDirectory() {
    return SpoolerDirectory(false);
}
std::string SpoolerProcessorDirectory() {
    return SpoolerDirectory(true);
}

std::string SystemDirectoryPath() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string WindowsDirectoryPath() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string CurrentDirectoryPath() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

void RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

bool RegisterTestDriver(const std::string& driverName, const char* environment) {
    std::string directory = SpoolerDriverDirectory();
    for (const char* file : kDriverFiles) WriteTextFile(directory + "\\" + file, "not a DLL");
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(driverName.c_str());
    info.pEnvironment = const_cast<char*>(environment);
    info.pDriverPath = kDriverFiles[0];
    info.pDataFile = kDriverFiles[1];
    info.pConfigFile = kDriverFiles[2];
    info.pHelpFile = kDriverFiles[3];
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != 0;
}

void RemoveTestDriver(const std::string& driverName, const char* environment) {
    DeletePrinterDriverA(nullptr, const_cast<char*>(environment), const_cast<char*>(driverName.c_str()));
    std::string directory = SpoolerDriverDirectory();
    for (const char* file : kDriverFiles) {
        RemoveFile(directory + "\\" + file);
        RemoveFile(directory + "\\3\\" + file);
        RemoveFile(directory + "\\0\\" + file);
    }
}

void RemoveTestPrinter(const std::string& printerName) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char*>(printerName.c_str()), &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

PRINTER_INFO_2A TestPrinterRecord(char* printerName, char* driverName) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = printerName;
    info.pPortName = kPort;
    info.pDriverName = driverName;
    info.pPrintProcessor = kProcessor;
    info.pDatatype = kRaw;
    return info;
}

TestPrinter::TestPrinter(const std::string& printerName, const char* environment)
    : printerName_(printerName),
      driverName_(printerName + " Driver"),
      environment_(environment ? environment : "") {
    if (!RegisterTestDriver(driverName_, environment)) return;
    PRINTER_INFO_2A info =
        TestPrinterRecord(const_cast<char*>(printerName_.c_str()), const_cast<char*>(driverName_.c_str()));
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer) ClosePrinter(printer);
    ready_ = printer != nullptr;
}

TestPrinter::~TestPrinter() {
    RemoveTestPrinter(printerName_);
    RemoveTestDriver(driverName_, environment_.empty() ? nullptr : environment_.c_str());
}
