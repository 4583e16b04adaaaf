#include "tests/engine/EngineTestSupport.h"

#include "common/RegistryKey.h"

const char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

namespace {

char kDriverFiles[][32] = {"qvtest_drv.txt", "qvtest_data.txt", "qvtest_ui.txt", "qvtest_help.txt"};
char kPort[] = "LPT1:";
char kProcessor[] = "winprint";
char kRaw[] = "RAW";

}  // namespace

std::string CurrentDirectoryPath() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
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
    RemovePrinterDriver(driverName, environment);
    std::string directory = SpoolerDriverDirectory();
    for (const char* file : kDriverFiles) {
        RemoveFile(directory + "\\" + file);
        RemoveFile(directory + "\\3\\" + file);
        RemoveFile(directory + "\\0\\" + file);
    }
}

void RemoveTestPrinter(const std::string& printerName) {
    RemovePrinter(printerName);
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

std::string DefaultDevice() {
    RegistryKey key(HKEY_CURRENT_USER, kWindowsKey);
    char device[300] = {};
    key.QueryString("device", device, sizeof device);
    return device;
}
