// Windows 98/Me through the whole wizard: the system's own serial ports, the driver registered for
// "Windows 4.0" with its files in that environment's directory, the settings in WIN.INI, the default
// printer's attribute, and the restart question after success and after failure.
#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"

TEST_F(EndToEndTest, SerialPrinterOnWindows98AsksForARestart) {
    PrinterChoice choice;
    choice.model = "QR-58";
    choice.setAsDefault = true;
    ASSERT_TRUE(WalkToPortPage("win98", choice));
    EXPECT_EQ((std::vector<std::string>{"COM1:", "COM2:", "LPT1:", "USB_QR-58_1"}), walk.PortEntries());
    ASSERT_EQ("", walk.SelectPort("COM2:"));

    std::vector<ShownMessage> shown = InstallAndFinish();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(kOwnSuccessText, shown[0].text);
    EXPECT_EQ(ResourceText(IDS_RESTART_QUESTION), shown[1].text);
    EXPECT_EQ("QelvanSetup", shown[1].caption);
    // The result in the wizard window's box, the question in the application's box with its icon.
    EXPECT_EQ((std::vector<bool>{false, true}), walk.MessageIcons());

    PrinterRecord printer = ReadPrinter("QR-58(S)");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("Qelvan QR-58", printer.driver);
    EXPECT_EQ("COM2:", printer.port);
    EXPECT_EQ("QelvanProc", printer.processor);
    // Windows 98/Me marks the default printer by its attribute.
    EXPECT_EQ(64u | PRINTER_ATTRIBUTE_DEFAULT, printer.attributes);
    EXPECT_EQ(std::vector<std::string>{"Qelvan QR-58"}, MakerDrivers(k9xEnvironment));
    EXPECT_TRUE(MakerDrivers(kNtEnvironment).empty());
    EXPECT_TRUE(DriverFilesInstalled(k9xEnvironment, "win98",
                                     {"QVSTD.DRV", "QR58.PPD", "QVSTDUI.DLL", "QVSTD.HLP", "ICONLIB.DLL"}));
    EXPECT_TRUE(HasVersion(ProcessorKey(k9xEnvironment, "QelvanProc"), 2));
    EXPECT_TRUE(FileExists(SpoolerProcessorDirectory(k9xEnvironment) + "\\qvproc.dll"));
    // No serial port monitor of the maker on Windows 98/Me.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan COM Port")));
    EXPECT_EQ("9600,n,8,1,p", ProfilePort("COM2:"));
}

TEST_F(EndToEndTest, FailedInstallationOnWindows98AlsoAsksForARestart) {
    ASSERT_TRUE(DeleteFileA((medium / "win98\\QVSTD.HLP").c_str()));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("win98", choice));
    ASSERT_EQ("", walk.SelectPort("COM1:"));

    std::vector<ShownMessage> shown = InstallAndFinish();
    ASSERT_EQ(2u, shown.size());
    std::string copyFailed = ResourceText(IDS_COPY_FAILED) + "QVSTD.HLP  er = 2";
    EXPECT_EQ(0u, shown[0].text.find(copyFailed)) << shown[0].text;
    EXPECT_NE(std::string::npos, shown[0].text.find("\\win98\\QVSTD.HLP")) << shown[0].text;
    EXPECT_EQ(ResourceText(IDS_RESTART_QUESTION), shown[1].text);
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_TRUE(MakerDrivers(k9xEnvironment).empty());
    EXPECT_EQ("", ProfilePort("COM1:"));
}

// A typical installation wants the connected printer on the first USB port: a printer with device id 9
// (number 2) is renumbered to 1 after Yes. On Windows 98/Me the USB port monitor is registered for
// "Windows 4.0".
TEST_F(EndToEndTest, UsbPrinterRenumberedToTheFirstPortOnWindows98) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 9}}));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("win98", choice));
    EXPECT_EQ("USB_QR-58_1", walk.SelectedPort());

    std::vector<ShownMessage> shown = InstallAndFinish(true);
    EXPECT_EQ((std::vector<std::string>{ResourceText(IDS_RENUMBER_QUESTION), kOwnSuccessText,
                                        ResourceText(IDS_RESTART_QUESTION)}),
              Texts(shown));
    EXPECT_NE(std::string::npos, medium.UsbLog().find(" 1D 49 20 00, 10) = 10")) << medium.UsbLog();
    PrinterRecord printer = ReadPrinter("QR-58(U) 1");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("USB_QR-58_1", printer.port);
    EXPECT_EQ("Qelvan QR-58 GDI", printer.driver);
    EXPECT_EQ(std::vector<std::string>{"Qelvan QR-58 GDI"}, MakerDrivers(k9xEnvironment));
    EXPECT_TRUE(DriverFilesInstalled(
        k9xEnvironment, "win98", {"UNIDRV.DLL", "QR58.DRV", "UNIDRV.HLP", "QVOEMUI.DLL", "QVOEMUNI.DLL"}));
    EXPECT_TRUE(HasVersion(MonitorKey("Qelvan USB Port"), 2));
    EXPECT_TRUE(FileExists(SystemDirectoryPath() + "\\qvusbmon.dll"));
    DWORD number = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, "USB_QR-58_1", number));
    EXPECT_EQ(1u, number);
}
