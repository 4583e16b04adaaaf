// Whole installations on the system the executable sees, checked where an administrator would look.
#include <cstring>
#include <vector>

#include "tests/sequence/EngineRunTest.h"

namespace {

const char* const kRequiredAndOptional[] = {"QTUI.DLL",  "QTR58.GPD", "QTDRV.DLL",
                                            "QTDRV.HLP", "QTEXT.DLL", "QTUNI.DLL"};

std::vector<BYTE> StoredDcb(int entry) {
    std::string path = "System\\CurrentControlSet\\Services\\Class\\Ports\\000" + std::to_string(entry);
    HKEY key;
    BYTE data[64];
    DWORD size = sizeof data;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    LONG result = RegQueryValueExA(key, "DCB", nullptr, nullptr, data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

TEST_F(EngineRunTest, SerialPrinterWithItsPortSettings) {
    leftovers.CreateSerialPortClass();
    FillChoices(Choices(), kModel, SerialPort());
    Choices().baudRate = 19200;
    Choices().dataBits = 7;
    Choices().stopBits = 1.5;
    Choices().parity = 'E';
    Choices().flowControl = 'p';
    EngineOutcome outcome = RunEngine(*wizard);

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(false), outcome.message);
    EXPECT_EQ(0, Choices().engineStatus);
    EXPECT_STREQ("QT-R58(S)", Choices().printerName);
    EXPECT_EQ('e', Choices().parity);

    PrinterRecord printer = ReadPrinter("QT-R58(S)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("QT-R58(S)", printer.name);
    EXPECT_EQ(kDriverName, printer.driver);
    EXPECT_EQ(SerialPort(), printer.port);
    EXPECT_EQ(kProcessor, printer.processor);
    EXPECT_EQ(64u, printer.attributes);  // the configuration's ATTRIBUTES
    for (const char* name : kRequiredAndOptional) EXPECT_TRUE(DriverFileInstalled(name)) << name;

    // The print processor, recorded with the configured version.
    DWORD version = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor),
                          "DriverVersion", version));
    EXPECT_EQ(kProcessorVersion, version);
    EXPECT_TRUE(HoldsFixtureProcessor(SpoolerProcessorDirectory() + "\\qtproc.dll"));

    // The serial-port monitor, except on Windows 98/Me; never the USB monitor.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    if (Windows98()) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    } else {
        EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor), "DriverVersion", version));
        EXPECT_EQ(kComVersion, version);
        EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtcommon.dll"));
        EXPECT_EQ("stand-in UI", ReadTextFile(SystemDirectoryPath() + "\\qtcomui.dll"));
    }

    // The settings go under "COM2:", also for the maker's "TVCOM2:".
    const char settings[] = "19200,e,7,1.5,p";
    if (Windows98()) {
        EXPECT_EQ(settings, ProfileValueOrNone("Ports", "COM2:"));
        std::vector<BYTE> dcb = StoredDcb(1);  // COM2 is the second serial entry
        ASSERT_EQ(sizeof(DCB), dcb.size());
        DCB block;
        memcpy(&block, dcb.data(), sizeof block);
        EXPECT_EQ(19200u, block.BaudRate);
        EXPECT_EQ(7, block.ByteSize);
        EXPECT_EQ(ONE5STOPBITS, block.StopBits);
        EXPECT_EQ(EVENPARITY, block.Parity);
        EXPECT_EQ(1u, block.fOutxCtsFlow);
        EXPECT_TRUE(StoredDcb(0).empty());
    } else {
        EXPECT_EQ(settings, ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:"));
        EXPECT_EQ("<none>", ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "TVCOM2:"));
    }
}

TEST_F(EngineRunTest, ParallelPrinterMadeTheDefault) {
    FillChoices(Choices(), kModel, "LPT1:");
    Choices().setAsDefault = 1;
    EngineOutcome outcome = RunEngine(*wizard);

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(false), outcome.message);
    EXPECT_STREQ("QT-R58(P)", Choices().printerName);
    PrinterRecord printer = ReadPrinter("QT-R58(P)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("LPT1:", printer.port);
    EXPECT_EQ(kDriverName, printer.driver);
    EXPECT_EQ(kProcessor, printer.processor);
    // No monitor for a parallel port, and no serial settings.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor)));

    // Where each system keeps its default printer.
    char device[300] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    if (Windows98()) {
        EXPECT_EQ(static_cast<DWORD>(PRINTER_ATTRIBUTE_DEFAULT),
                  printer.attributes & PRINTER_ATTRIBUTE_DEFAULT);
    } else if (system == WindowsNT4) {
        EXPECT_STREQ("QT-R58(P),QTest R58,LPT1:", device);
    } else {
        char name[300] = {};
        DWORD size = sizeof name;
        ASSERT_TRUE(GetDefaultPrinterA(name, &size));
        EXPECT_STREQ("QT-R58(P)", name);
    }
}

TEST_F(EngineRunTest, UsbPrinterWithItsPortRecord) {
    // The maker's port record key is only opened, never created.
    const char recordKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
    if (!KeyExists(HKEY_LOCAL_MACHINE, recordKey)) {
        EXPECT_EQ(Succeeded, Install(kModel, "USB_QT-R58_1").finishState);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, recordKey));
        // A second printer of the name is refused on a USB port: the next installation starts afresh.
        RemovePrinter("QT-R58(U) 1");
    }
    leftovers.CreatePrinterPortKey();
    EngineOutcome outcome = Install(kModel, "USB_QT-R58_1");

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(true), outcome.message);
    EXPECT_STREQ("QT-R58(U) 1", Choices().printerName);
    PrinterRecord printer = ReadPrinter("QT-R58(U) 1");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("USB_QT-R58_1", printer.port);
    EXPECT_EQ(kDriverName, printer.driver);
    DWORD recorded = 99;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, recordKey, "USB_QT-R58_1", recorded));
    EXPECT_EQ(0u, recorded);

    // NT 4.0 has no USB monitor (the Install command refuses USB there before the engine runs).
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    DWORD version = 0;
    if (system == WindowsNT4) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    } else {
        EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor), "DriverVersion", version));
        EXPECT_EQ(kUsbVersion, version);
        EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtusbmon.dll"));
    }
}

TEST_F(EngineRunTest, MonitorFileInUseIsInstalledUnderThePrefixedName) {
    // The monitor's file is there and busy, but the spooler does not know the monitor.
    std::string busy = SystemDirectoryPath() + "\\" + MonitorFileOfPort();
    WriteTextFile(busy, kOldMonitor);
    LockedFile held(busy);
    ASSERT_TRUE(held.Held());
    EngineOutcome outcome = Install(kModel, MonitoredPort());

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(Windows98()), outcome.message);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\n" + MonitorFileOfPort()));
    EXPECT_EQ("n" + MonitorFileOfPort(),
              ReadStringOrNone(HKEY_LOCAL_MACHINE, MonitorKey(MonitorOfPort()), "Driver"));
    DWORD version = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, MonitorKey(MonitorOfPort()), "DriverVersion", version));
    EXPECT_EQ(MonitorVersionOfPort(), version);
}

// Wine's AddPrinterA would overwrite a printer of the same name: the engine finds the name taken first,
// with the real spooler.
TEST_F(EngineRunTest, SecondPrinterOfANameIsNumberedExceptOnUsb) {
    ASSERT_EQ(Succeeded, Install(kModel, "LPT1:").finishState);
    EngineOutcome second = Install(kModel, "LPT1:");
    EXPECT_EQ(Succeeded, second.finishState);
    EXPECT_EQ(SuccessText(false), second.message);
    EXPECT_STREQ("QT-R58(P)(1)", Choices().printerName);
    EXPECT_EQ("LPT1:", ReadPrinter("QT-R58(P)(1)").port);
    EXPECT_TRUE(ReadPrinter("QT-R58(P)").found);

    ASSERT_EQ(Succeeded, Install(kModel, "USB_QT-R58_1").finishState);
    EngineOutcome usb = Install(kModel, "USB_QT-R58_1");
    EXPECT_EQ(Failed, usb.finishState);
    EXPECT_EQ("允许安装使用同一端口的打印机最大数量已到", usb.message);
    EXPECT_FALSE(ReadPrinter("QT-R58(U) 1(1)").found);
}

TEST_F(EngineRunTest, ColourLibraryOnlyForItsModelsOnWindows98) {
    EngineOutcome outcome = Install("KRP-A100", "LPT1:");
    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(false), outcome.message);
    EXPECT_EQ(Windows98(), DriverFileInstalled("DMCOLOR.DLL"));
    // The system's shared files of Windows 98/Me come first; the medium's universal driver is the
    // fallback when the system has neither its own nor a backup copy.
    EXPECT_EQ(Windows98(), DriverFileInstalled("ICONLIB.DLL"));
    EXPECT_TRUE(ReadPrinter("KRP-A100(P)").found);

    // Another model never gets it.
    DeleteFileA((SpoolerDriverDirectory() + "\\DMCOLOR.DLL").c_str());
    EXPECT_EQ(Succeeded, Install(kModel, "LPT1:").finishState);
    EXPECT_FALSE(DriverFileInstalled("DMCOLOR.DLL"));
}

}  // namespace
