// Every way the installation can end early: the message the user is shown, the progress window's
// Failed, and how far the installation got. Platform refusals that Wine never gives come through the
// engine's seams.
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "tests/sequence/EngineRunTest.h"

namespace {

const char kCopyFailed[] = "复制驱动文件错误";
const char kFilesMissing[] = "驱动文件丢失，无法安装";
const char* const kRequiredAndOptional[] = {"QTUI.DLL",  "QTR58.GPD", "QTDRV.DLL",
                                            "QTDRV.HLP", "QTEXT.DLL", "QTUNI.DLL"};

BOOL WINAPI ProcessorAlreadyInstalled(LPSTR, LPSTR, LPSTR, LPSTR) {
    SetLastError(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
    return FALSE;
}

BOOL WINAPI PortsNotListed(LPSTR, DWORD, LPBYTE, DWORD size, LPDWORD needed, LPDWORD returned) {
    *needed = 64;
    *returned = 0;
    SetLastError(size < 64 ? ERROR_INSUFFICIENT_BUFFER : RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
}

BOOL WINAPI DriverRefused(LPSTR, DWORD, LPBYTE) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
}

// A spooler that adds the printer but gives back no name for it.
HANDLE const kFakePrinter = reinterpret_cast<HANDLE>(0x5150);
HANDLE WINAPI AddedWithoutName(LPSTR, DWORD, LPBYTE) {
    return kFakePrinter;
}
BOOL WINAPI CloseFakePrinter(HANDLE printer) {
    return printer == kFakePrinter;
}

TEST_F(EngineRunTest, MonitorFileMissingOnTheMedium) {
    medium.RemoveSystemFile(MonitorFileOfPort().c_str());
    EngineOutcome outcome = Install(kModel, MonitoredPort());
    EXPECT_EQ(Failed, outcome.finishState);
    // The monitor fails with its file before the spooler is asked to load it.
    EXPECT_EQ(std::string(kCopyFailed) + MonitorFileOfPort() + "  er = 2" + medium.SystemFolder() +
                  MonitorFileOfPort(),
              outcome.message);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(MonitorOfPort())));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

TEST_F(EngineRunTest, MonitorInterfaceFileMissingOnTheMedium) {
    medium.RemoveSystemFile("qtcomui.dll");
    medium.RemoveSystemFile("qtusbui.dll");
    // Each monitor's interface file fails its monitor, the USB monitor's as the serial monitor's.
    EngineOutcome outcome = Install(kModel, "USB_QT-R58_1");
    if (system == WindowsNT4) {  // no USB there, so no USB monitor
        EXPECT_EQ(Succeeded, outcome.finishState);
    } else {
        EXPECT_EQ(Failed, outcome.finishState);
        EXPECT_EQ(std::string(kCopyFailed) + "qtusbui.dll  er = 2" + medium.SystemFolder() + "qtusbui.dll",
                  outcome.message);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
        ExpectNoDriverFiles();
    }
    if (Windows98()) return;  // no serial monitor there

    for (const char* name : kRequiredAndOptional)
        DeleteFileA((SpoolerDriverDirectory() + "\\" + name).c_str());
    outcome = Install(kModel, SerialPort());
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(std::string(kCopyFailed) + "qtcomui.dll  er = 2" + medium.SystemFolder() + "qtcomui.dll",
              outcome.message);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    ExpectNoDriverFiles();
    EXPECT_FALSE(ReadPrinter("QT-R58(S)").found);
}

TEST_F(EngineRunTest, ProcessorFileThatCannotBePlaced) {
    // A folder stands where the processor's file goes.
    std::string place = SpoolerProcessorDirectory() + "\\qtproc.dll";
    ASSERT_TRUE(CreateDirectoryA(place.c_str(), nullptr));
    EngineOutcome outcome = Install(kModel, "LPT1:");
    RemoveDirectoryA(place.c_str());
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(0u, outcome.message.find(std::string(kCopyFailed) + "qtproc.dll  er = ")) << outcome.message;
    EXPECT_NE(std::string::npos, outcome.message.find(medium.SystemFolder() + "qtproc.dll"))
        << outcome.message;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

TEST_F(EngineRunTest, ProcessorNotAdded) {
    SeamOverride<decltype(Spooler().addPrintProcessor)> seam(Spooler().addPrintProcessor,
                                                             ProcessorAlreadyInstalled);
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("添加打印处理器失败，系统错误，重启系统再试", outcome.message);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

TEST_F(EngineRunTest, PortsCannotBeEnumeratedForUsb) {
    SeamOverride<decltype(Spooler().enumPorts)> seam(Spooler().enumPorts, PortsNotListed);
    EngineOutcome outcome = Install(kModel, "USB_QT-R58_1");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("内存不足，程序无法分配必须的内存", outcome.message);
    ExpectNoDriverFiles();

    // Serial and parallel printers do not list the ports.
    EXPECT_EQ(Succeeded, Install(kModel, "LPT1:").finishState);
}

TEST_F(EngineRunTest, RequiredDriverFileNamedEmpty) {
    medium.SetDescriptor(kModel, "STDHelpFile", "");
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(kFilesMissing, outcome.message);
    ExpectNoDriverFiles();  // checked before the first copy
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);

    // "0" names no file: it passes the check and is not copied.
    medium.SetDescriptor(kModel, "STDHelpFile", "0");
    outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(false), outcome.message);
    EXPECT_TRUE(DriverFileInstalled("QTDRV.DLL"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\QTDRV.HLP"));
}

TEST_F(EngineRunTest, RequiredDriverFileMissingOnTheMedium) {
    medium.RemoveSystemFile("QTDRV.DLL");
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(std::string(kCopyFailed) + "QTDRV.DLL  er = 2" + medium.SystemFolder() + "QTDRV.DLL",
              outcome.message);
    // The configuration file and the data file come first, the help file after the driver.
    EXPECT_TRUE(DriverFileInstalled("QTUI.DLL"));
    EXPECT_TRUE(DriverFileInstalled("QTR58.GPD"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\QTDRV.HLP"));
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);
}

TEST_F(EngineRunTest, DriverFileInUse) {
    // The spooler would take the older file that stays.
    std::string busy = SpoolerDriverDirectory() + "\\QTDRV.DLL";
    ASSERT_TRUE(WriteTextFile(busy, "older"));
    LockedFile held(busy);
    ASSERT_TRUE(held.Held());
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(std::string(kCopyFailed) + "QTDRV.DLL  er = 32" + medium.SystemFolder() + "QTDRV.DLL",
              outcome.message);
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);
}

TEST_F(EngineRunTest, OptionalDriverFileMissingOnTheMedium) {
    medium.RemoveSystemFile("QTUNI.DLL");
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(std::string(kCopyFailed) + "QTUNI.DLL  er = 2" + medium.SystemFolder() + "QTUNI.DLL",
              outcome.message);
    EXPECT_TRUE(DriverFileInstalled("QTDRV.HLP"));
    EXPECT_TRUE(DriverFileInstalled("QTEXT.DLL"));
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);
}

TEST_F(EngineRunTest, DriverOnUniversalDriverWithoutItsAdditionalFile) {
    EngineOutcome outcome = Install("QT-DDK", "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(kFilesMissing, outcome.message);
    EXPECT_TRUE(DriverFileInstalled("QTDRV.DLL"));  // found out after the copies
    EXPECT_FALSE(ReadPrinter("QT-DDK(P)").found);
}

TEST_F(EngineRunTest, DriverNotAdded) {
    SeamOverride<decltype(Spooler().addPrinterDriver)> seam(Spooler().addPrinterDriver, DriverRefused);
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("添加打印机驱动错误   er = 1805", outcome.message);
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);
}

TEST_F(EngineRunTest, PrinterNotAdded) {
    // Wine lists no print processor whose name sorts after its own "winprint", so it refuses the
    // printer; the A call reports every refusal as 87.
    medium.SetDescriptor(kModel, "STDPrintProcessor", kLateProcessor);
    FillChoices(Choices(), kModel, SerialPort());
    Choices().baudRate = 4800;
    EngineOutcome outcome = RunEngine(*wizard);
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("添加打印机错误er = 87", outcome.message);
    EXPECT_FALSE(ReadPrinter("QT-R58(S)").found);
    EXPECT_TRUE(DriverFileInstalled("QTDRV.DLL"));
    // The serial settings come after the printer.
    char text[100] = {};
    GetProfileStringA("Ports", "COM2:", "<none>", text, sizeof text);
    EXPECT_NE("4800,n,8,1,x", std::string(text));
    EXPECT_NE("4800,n,8,1,x",
              ReadStringOrNone(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                               "COM2:"));
}

TEST_F(EngineRunTest, PrinterAddedWithoutAName) {
    SeamOverride<decltype(Spooler().addPrinter)> add(Spooler().addPrinter, AddedWithoutName);
    SeamOverride<decltype(Spooler().closePrinter)> close(Spooler().closePrinter, CloseFakePrinter);
    FillChoices(Choices(), kModel, "LPT1:");
    Choices().config.printerName[0] = '\0';
    EngineOutcome outcome = RunEngine(*wizard);
    // Never a success without a printer name: the message says the printer was not added.
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("添加打印机错误", outcome.message);
    EXPECT_STREQ("", Choices().printerName);
}

}  // namespace
