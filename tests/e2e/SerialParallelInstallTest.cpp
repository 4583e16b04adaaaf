// Serial and parallel printers installed through the whole wizard on the NT family: the name suffix,
// the driver and its files, the serial port monitor, the serial settings chosen on the port page, and
// the default printer.
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"

namespace {
const char kComMonitor[] = "Qelvan COM Port";
const char kUsbMonitor[] = "Qelvan USB Port";
}  // namespace

// A ticket printer whose model prefers the parallel port; on NT 4.0 the default printer is the
// profile's [windows] device entry.
TEST_F(EndToEndTest, ParallelPrinterAsDefaultOnNt4) {
    PrinterChoice choice;
    choice.category = 1;  // ticket printers
    choice.model = "QT-200";
    choice.setAsDefault = true;
    ASSERT_TRUE(WalkToPortPage("nt40", choice));
    EXPECT_EQ("LPT1:", walk.SelectedPort());

    std::vector<ShownMessage> shown = InstallAndFinish();
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED)}, Texts(shown));
    EXPECT_EQ(std::vector<std::string>{"打印机驱动安装成功"}, Texts(shown));
    PrinterRecord printer = ReadPrinter("QT-200(P)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("Qelvan QT-200 GDI", printer.driver);  // a parallel port takes the raster driver
    EXPECT_EQ("LPT1:", printer.port);
    EXPECT_EQ("QelvanProc", printer.processor);
    EXPECT_TRUE(DriverFilesInstalled(kNtEnvironment, "winnt", {"UNIDRV.DLL", "QT200.GPD", "UNIDRVUI.DLL"}));
    EXPECT_EQ("QT-200(P),Qelvan QT-200 GDI,LPT1:", DefaultPrinterDevice());
    // A parallel port needs neither of the maker's port monitors; the processor is installed.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    EXPECT_TRUE(HasVersion(ProcessorKey(kNtEnvironment, "QelvanProc"), 2));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPortNameKey));
}

// The model presets 19200 baud; the user changes the other settings, which reach the NT family's port
// list under the port's "COM" name.
TEST_F(EndToEndTest, SerialPrinterWithItsSettingsOnWindows2000) {
    std::string defaultBefore = DefaultPrinterDevice();
    PrinterChoice choice;
    choice.model = "QR-80";
    ASSERT_TRUE(WalkToPortPage("win2k", choice));
    // The demo medium's connected USB printer is preselected, with the serial settings disabled.
    EXPECT_EQ("USB_QR-80_1", walk.SelectedPort());
    HWND baudRates = WizardDriver::Control(walk.Frame(), IDC_BAUD_RATE);
    EXPECT_FALSE(WizardDriver::IsEnabled(baudRates));
    ASSERT_EQ("", walk.SelectPort("TVCOM3:"));
    EXPECT_TRUE(WizardDriver::IsEnabled(baudRates));
    EXPECT_EQ("19200", WizardWalk::ComboEntries(baudRates)[WizardWalk::ComboSelection(baudRates)]);
    ASSERT_EQ("", walk.SelectSerialSetting(IDC_DATA_BITS, "7"));
    ASSERT_EQ("", walk.SelectSerialSetting(IDC_PARITY, "Even"));
    ASSERT_EQ("", walk.SelectSerialSetting(IDC_STOP_BITS, "2"));
    ASSERT_EQ("", walk.SelectSerialSetting(IDC_FLOW_CONTROL, "Xon/Xoff"));

    std::vector<ShownMessage> shown = InstallAndFinish();
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED)}, Texts(shown));
    PrinterRecord printer = ReadPrinter("QR-80(S)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("Qelvan QR-80", printer.driver);  // a serial port takes the standard driver
    EXPECT_EQ("TVCOM3:", printer.port);
    EXPECT_EQ(64u, printer.attributes);
    EXPECT_TRUE(
        DriverFilesInstalled(kNtEnvironment, "winnt", {"QVSTD.DLL", "QR80.PPD", "QVSTDUI.DLL", "QVSTD.HLP"}));
    EXPECT_TRUE(HasVersion(MonitorKey(kComMonitor), 3));
    EXPECT_TRUE(FileExists(SystemDirectoryPath() + "\\qvcommon.dll"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    std::string settings;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM3:", settings));
    EXPECT_EQ("19200,e,7,2,x", settings);
    EXPECT_EQ(defaultBefore, DefaultPrinterDevice());  // not asked to be the default printer
}

// A serial port monitor of an older version is replaced: the wizard stops the spooler, copies the
// medium's monitor over the old file, records the new version and starts the spooler again.
TEST_F(EndToEndTest, OutdatedSerialMonitorIsReplacedOnWindowsXp) {
    std::string monitorFile = SystemDirectoryPath() + "\\qvcommon.dll";
    ASSERT_TRUE(WriteTextFile(monitorFile, "old monitor"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor).c_str(), 0, nullptr,
                                             0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD oldVersion = 2;
    RegSetValueExA(key, "Driver", 0, REG_SZ, reinterpret_cast<const BYTE*>("qvcommon.dll"), 13);
    RegSetValueExA(key, "DriverVersion", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&oldVersion),
                   sizeof oldVersion);
    RegCloseKey(key);

    DWORD spoolerBefore = SpoolerProcessId();  // 0 when the spooler does not run yet

    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    ASSERT_EQ("", walk.SelectPort("TVCOM2:"));
    std::vector<ShownMessage> shown = InstallAndFinish();
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED)}, Texts(shown));
    EXPECT_TRUE(HasVersion(MonitorKey(kComMonitor), 3));
    EXPECT_EQ(ReadTextFile(medium / "winnt\\qvcommon.dll"), ReadTextFile(monitorFile));
    // Another process serves the spooler now: it was stopped and started again.
    EXPECT_EQ(SERVICE_RUNNING, SpoolerState());
    EXPECT_NE(0u, SpoolerProcessId());
    EXPECT_NE(spoolerBefore, SpoolerProcessId());
    PrinterRecord printer = ReadPrinter("QR-58(S)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("TVCOM2:", printer.port);
}
