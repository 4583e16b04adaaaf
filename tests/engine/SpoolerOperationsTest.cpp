#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/RegistryKey.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "engine/SpoolerOperations.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

const char kPrinterName[] = "Qelvan Engine Printer";
const char kDriverName[] = "Qelvan Engine Driver";

bool PrinterExists(const char* name) {
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, nullptr)) return false;
    ClosePrinter(printer);
    return true;
}

TEST(AddDriverAndCreatePrinter, RegisterWithTheRealSpooler) {
    MessageText message = {};
    std::string directory = SpoolerDriverDirectory();
    char files[][32] = {"qvengine_drv.txt", "qvengine_data.txt", "qvengine_ui.txt", "qvengine_help.txt"};
    for (const char* file : files) WriteTextFile(directory + "\\" + file, "not a DLL");
    char driverName[64], environment[] = "Windows NT x86";
    strcpy(driverName, kDriverName);
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pEnvironment = environment;
    driver.pDriverPath = files[0];
    driver.pDataFile = files[1];
    driver.pConfigFile = files[2];
    driver.pHelpFile = files[3];
    EXPECT_TRUE(AddDriver(driver, message));

    char printerName[64];
    strcpy(printerName, kPrinterName);
    PRINTER_INFO_2A printer = TestPrinterRecord(printerName, driverName);
    EXPECT_TRUE(CreatePrinter(printer, 2, false, message));
    EXPECT_EQ(printerName, printer.pPrinterName);
    EXPECT_TRUE(PrinterExists(kPrinterName));
    EXPECT_STREQ("", message);

    // The same name on another port is a second printer: Wine's spooler would replace the first.
    char secondName[64], secondPort[] = "LPT2:";
    strcpy(secondName, kPrinterName);
    PRINTER_INFO_2A second = TestPrinterRecord(secondName, driverName);
    second.pPortName = secondPort;
    EXPECT_TRUE(CreatePrinter(second, 2, false, message));
    EXPECT_STREQ("Qelvan Engine Printer(1)", second.pPrinterName);
    EXPECT_EQ("LPT1:", ReadPrinter(kPrinterName).port);
    EXPECT_EQ("LPT2:", ReadPrinter("Qelvan Engine Printer(1)").port);
    RemoveTestPrinter("Qelvan Engine Printer(1)");

    // A driver the spooler does not know: Wine reports every refusal of the A call as 87.
    char unknown[] = "Qelvan Unknown Driver";
    PRINTER_INFO_2A orphan = TestPrinterRecord(printerName, unknown);
    strcpy(printerName, "Qelvan Orphan Printer");
    EXPECT_FALSE(CreatePrinter(orphan, 2, false, message));
    EXPECT_STREQ("添加打印机错误er = 87", message);
    EXPECT_FALSE(PrinterExists("Qelvan Orphan Printer"));

    // Names the platform refuses; Wine's spooler would store them as nested keys and succeed.
    const char* const refusedPrinters[] = {"C:\\Qelvan Nested", "Qelvan,Comma"};
    for (const char* refused : refusedPrinters) {
        strcpy(printerName, refused);
        PRINTER_INFO_2A nested = TestPrinterRecord(printerName, driverName);
        EXPECT_FALSE(CreatePrinter(nested, 2, false, message));
        EXPECT_STREQ("添加打印机错误er = 1801", message);
    }
    char nestedDriver[] = "..\\..\\Qelvan Nested Driver";
    driver.pName = nestedDriver;
    EXPECT_FALSE(AddDriver(driver, message));
    EXPECT_STREQ("添加打印机驱动错误   er = 123", message);

    RemoveTestPrinter(kPrinterName);
    DeletePrinterDriverA(nullptr, environment, driverName);
    for (const char* file : files) {
        RemoveFile(directory + "\\" + file);
        RemoveFile(directory + "\\3\\" + file);
    }
}

// A spooler that knows some printer names already, which Wine's never reports (it overwrites).
std::set<std::string> takenNames;
std::vector<std::string> triedNames;
DWORD otherError = 0;  // answered for every free name when not 0
int closedHandles = 0;
HANDLE const kFakePrinter = reinterpret_cast<HANDLE>(0x5150);

// Names the spooler opens, as an existing printer of that name.
std::set<std::string> openedNames;
std::vector<std::string> askedNames;
HANDLE const kFakeOpened = reinterpret_cast<HANDLE>(0x5151);

BOOL WINAPI FakeOpenPrinter(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA) {
    askedNames.push_back(name);
    *printer = openedNames.count(name) != 0 ? kFakeOpened : nullptr;
    SetLastError(*printer != nullptr ? 0 : ERROR_INVALID_PRINTER_NAME);
    return *printer != nullptr;
}

HANDLE WINAPI FakeAddPrinter(LPSTR, DWORD level, LPBYTE record) {
    EXPECT_EQ(2u, level);
    const char* name = reinterpret_cast<PRINTER_INFO_2A*>(record)->pPrinterName;
    triedNames.push_back(name);
    bool taken = takenNames.count(name) != 0 || takenNames.count("*") != 0;
    if (!taken && otherError == 0) return kFakePrinter;
    SetLastError(taken ? ERROR_PRINTER_ALREADY_EXISTS : otherError);
    return nullptr;
}

BOOL WINAPI FakeClosePrinter(HANDLE printer) {
    EXPECT_TRUE(printer == kFakePrinter || printer == kFakeOpened);
    ++closedHandles;
    return TRUE;
}

class CreatePrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        takenNames.clear();
        triedNames.clear();
        otherError = 0;
        closedHandles = 0;
        openedNames.clear();
        askedNames.clear();
        strcpy(name, "Base");
        info.pPrinterName = name;
    }
    SeamOverride<decltype(Spooler().addPrinter)> add{Spooler().addPrinter, FakeAddPrinter};
    SeamOverride<decltype(Spooler().closePrinter)> close{Spooler().closePrinter, FakeClosePrinter};
    SeamOverride<decltype(Spooler().openPrinter)> open{Spooler().openPrinter, FakeOpenPrinter};
    char name[300] = {};
    PRINTER_INFO_2A info = {};
    MessageText message = {};
};

TEST_F(CreatePrinterTest, TakenNameIsNumbered) {
    takenNames = {"Base", "Base(1)"};
    EXPECT_TRUE(CreatePrinter(info, 2, false, message));
    EXPECT_EQ((std::vector<std::string>{"Base", "Base(1)", "Base(2)"}), triedNames);
    EXPECT_STREQ("Base(2)", info.pPrinterName);
    EXPECT_EQ(1, closedHandles);
    EXPECT_STREQ("", message);
    // The numbered name outlives the call and the caller's own buffer.
    strcpy(name, "changed");
    EXPECT_STREQ("Base(2)", info.pPrinterName);
}

// A spooler that would replace a printer of a taken name: the name is asked first, plain and
// numbered, and only a free one is handed to AddPrinterA.
TEST_F(CreatePrinterTest, TakenNameIsFoundBeforeTheAdd) {
    openedNames = {"Base", "Base(1)"};
    EXPECT_TRUE(CreatePrinter(info, 2, false, message));
    EXPECT_EQ((std::vector<std::string>{"Base", "Base(1)", "Base(2)"}), askedNames);
    EXPECT_EQ((std::vector<std::string>{"Base(2)"}), triedNames);
    EXPECT_STREQ("Base(2)", info.pPrinterName);
    EXPECT_EQ(3, closedHandles);

    // Without renaming (a USB port) a taken name is refused before anything is added.
    triedNames.clear();
    info.pPrinterName = name;
    EXPECT_FALSE(CreatePrinter(info, 2, true, message));
    EXPECT_TRUE(triedNames.empty());
    EXPECT_STREQ("允许安装使用同一端口的打印机最大数量已到", message);
}

TEST_F(CreatePrinterTest, FreeNameIsKept) {
    EXPECT_TRUE(CreatePrinter(info, 2, true, message));
    EXPECT_EQ(name, info.pPrinterName);
    EXPECT_EQ(1u, triedNames.size());
    EXPECT_EQ(1, closedHandles);
}

TEST_F(CreatePrinterTest, NoRenameRefusesATakenName) {
    takenNames = {"Base"};
    strcpy(message, "earlier");
    EXPECT_FALSE(CreatePrinter(info, 2, true, message));
    EXPECT_EQ(1u, triedNames.size());
    EXPECT_STREQ("允许安装使用同一端口的打印机最大数量已到", message);
    EXPECT_EQ(0, closedHandles);
}

TEST_F(CreatePrinterTest, AllNinetyEightNumbersTaken) {
    takenNames = {"*"};
    EXPECT_FALSE(CreatePrinter(info, 2, false, message));
    ASSERT_EQ(99u, triedNames.size());
    EXPECT_EQ("Base(1)", triedNames[1]);
    EXPECT_EQ("Base(98)", triedNames.back());
    EXPECT_STREQ("允许安装使用同一端口的打印机最大数量已到", message);
}

TEST_F(CreatePrinterTest, OtherErrorsReportTheirCode) {
    otherError = ERROR_UNKNOWN_PRINTER_DRIVER;
    EXPECT_FALSE(CreatePrinter(info, 2, false, message));
    EXPECT_STREQ("添加打印机错误er = 1797", message);
    EXPECT_EQ(1u, triedNames.size());

    // An error while numbering ends the attempts with that error.
    triedNames.clear();
    takenNames = {"Base", "Base(1)"};
    otherError = ERROR_INVALID_PRINTER_NAME;
    EXPECT_FALSE(CreatePrinter(info, 2, false, message));
    EXPECT_STREQ("添加打印机错误er = 1801", message);
    EXPECT_EQ(3u, triedNames.size());
}

TEST_F(CreatePrinterTest, LongestNameIsNumberedWhole) {
    std::string longest(259, 'p');
    strcpy(name, (longest + "qq").c_str());
    takenNames = {name};
    EXPECT_TRUE(CreatePrinter(info, 2, false, message));
    EXPECT_EQ(longest + "(1)", info.pPrinterName);
}

// Driver and monitor refusals that Wine never gives (it accepts any level-3 driver record).
BOOL WINAPI RefusedDriver(LPSTR, DWORD, LPBYTE) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
}

DWORD monitorError = 0;
BOOL WINAPI RefusedMonitor(LPSTR, DWORD, LPBYTE) {
    SetLastError(monitorError);
    return FALSE;
}

TEST(AddDriver, RefusalReportsTheCodeAfterThreeBlanks) {
    SeamOverride<decltype(Spooler().addPrinterDriver)> seam(Spooler().addPrinterDriver, RefusedDriver);
    DRIVER_INFO_3A driver = {};
    MessageText message = "earlier";
    EXPECT_FALSE(AddDriver(driver, message));
    EXPECT_STREQ("添加打印机驱动错误   er = 1805", message);
}

class AddPortMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Cleanup();
        ASSERT_TRUE(CopyFileTo(TestDir() + "\\fixture_monitor.dll", dll_));
    }
    void TearDown() override { Cleanup(); }
    void Cleanup() {
        DeleteMonitorA(nullptr, nullptr, name_);
        DeleteMonitorA(nullptr, nullptr, missing_);
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, MonitorKey(name_).c_str());
        RemoveFile(dll_);
    }
    char name_[32] = "Qelvan Test Monitor";
    char missing_[32] = "Qelvan Missing Monitor";
    char file_[32] = "qvtestmon.dll";
    char missingFile_[32] = "qvnosuchmon.dll";
    std::string dll_ = SystemDirectoryPath() + "\\qvtestmon.dll";
    MessageText message = {};
};

TEST_F(AddPortMonitorTest, NewAlreadyInstalledAndMissing) {
    MONITOR_INFO_2A monitor = {name_, nullptr, file_};
    EXPECT_TRUE(AddPortMonitor(monitor, message));
    EXPECT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE,
                            "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Qelvan Test Monitor")
                    .IsOpen());
    // The second time the spooler answers 3006, which counts as success.
    EXPECT_TRUE(AddPortMonitor(monitor, message));
    EXPECT_STREQ("", message);

    MONITOR_INFO_2A absent = {missing_, nullptr, missingFile_};
    EXPECT_FALSE(AddPortMonitor(absent, message));
    EXPECT_STREQ("添加打印机端口监视器错误 Erro code is:126", message);
}

TEST_F(AddPortMonitorTest, AlreadyExistsCountsAsSuccessOtherCodesDoNot) {
    SeamOverride<decltype(Spooler().addMonitor)> seam(Spooler().addMonitor, RefusedMonitor);
    MONITOR_INFO_2A monitor = {name_, nullptr, file_};
    monitorError = ERROR_ALREADY_EXISTS;
    EXPECT_TRUE(AddPortMonitor(monitor, message));
    EXPECT_STREQ("", message);
    monitorError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(AddPortMonitor(monitor, message));
    EXPECT_STREQ("添加打印机端口监视器错误 Erro code is:5", message);
}

const char kNtProcessors[] =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
const char k40Processors[] =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows 4.0\\Print Processors\\";

std::string processorEnvironment;
std::string processorFile;
std::string processorName;
DWORD processorError = 0;
BOOL WINAPI FakeAddProcessor(LPSTR server, LPSTR environment, LPSTR file, LPSTR name) {
    EXPECT_EQ(nullptr, server);
    processorEnvironment = environment ? environment : "<null>";
    processorFile = file;
    processorName = name;
    SetLastError(processorError);
    return processorError == 0;
}

TEST(AddProcessor, RegistersWithTheRealSpooler) {
    std::string key = std::string(kNtProcessors) + "QelvanTestProc";
    EXPECT_EQ(1, AddProcessor("QelvanTestProc", "qvtestproc.dll", WindowsXP));
    EXPECT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE, key.c_str()).IsOpen());
    EXPECT_TRUE(RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, key.c_str()));

    std::string key40 = std::string(k40Processors) + "QelvanTestProc";
    EXPECT_EQ(1, AddProcessor("QelvanTestProc", "qvtestproc.dll", Windows98Me));
    EXPECT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE, key40.c_str()).IsOpen());
    EXPECT_TRUE(RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, key40.c_str()));
}

TEST(AddProcessor, EnvironmentAndRefusalCodes) {
    SeamOverride<decltype(Spooler().addPrintProcessor)> seam(Spooler().addPrintProcessor, FakeAddProcessor);
    processorError = 0;
    EXPECT_EQ(1, AddProcessor("QvProc", "qvproc.dll", Windows98Me));
    EXPECT_EQ("Windows 4.0", processorEnvironment);
    EXPECT_EQ("qvproc.dll", processorFile);
    EXPECT_EQ("QvProc", processorName);
    EXPECT_EQ(1, AddProcessor("QvProc", "qvproc.dll", WindowsVista));
    EXPECT_EQ("<null>", processorEnvironment);
    for (DWORD code :
         {ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED, ERROR_ALREADY_EXISTS, ERROR_INVALID_PARAMETER}) {
        processorError = code;
        EXPECT_EQ(static_cast<int>(code), AddProcessor("QvProc", "qvproc.dll", WindowsXP));
    }
    processorError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(0, AddProcessor("QvProc", "qvproc.dll", WindowsXP));
}

int enumCalls = 0;
BOOL WINAPI FailingEnumPorts(LPSTR, DWORD, LPBYTE, DWORD size, LPDWORD needed, LPDWORD returned) {
    ++enumCalls;
    *returned = 0;
    *needed = 200;
    SetLastError(size < 200 ? ERROR_INSUFFICIENT_BUFFER : RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
}

TEST(CheckPortEnumeration, RealSpoolerListsItsPortsFailureIsReported) {
    MessageText message = {};
    EXPECT_TRUE(CheckPortEnumeration(message));
    EXPECT_STREQ("", message);
    SeamOverride<decltype(Spooler().enumPorts)> seam(Spooler().enumPorts, FailingEnumPorts);
    enumCalls = 0;
    EXPECT_FALSE(CheckPortEnumeration(message));
    EXPECT_EQ(2, enumCalls);
    EXPECT_STREQ("内存不足，程序无法分配必须的内存", message);
}

}  // namespace
