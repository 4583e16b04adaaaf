// USB printers installed through the whole wizard: the port chosen for the connected printer's number,
// the renumbering question, the name suffix, the port alias of certain models, the maker's USB
// records, and the refusals (two printers connected, Windows NT 4.0).
#include <regex>

#include "common/FileVersion.h"

#include "resources/ControlIds.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"

namespace {
const char kAppTitle[] = "QelvanSetup";
const char kUsbMonitor[] = "Qelvan USB Port";
const char kComMonitor[] = "Qelvan COM Port";
// The raster driver's files on the NT family; a USB port always takes the raster driver.
const std::vector<std::string> kQr58RasterFiles = {
    "UNIDRV.DLL", "QR58.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "QVOEMUI.DLL", "QVOEMUNI.DLL", "QVOEM.INI"};

DWORD PortNameRecord(const std::string& port) {
    DWORD number = 99;
    return ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, port.c_str(), number) ? number : 99;
}

// The eight port slots D1..D8 are all 0.
::testing::AssertionResult PortSlotsCleared() {
    for (int slot = 1; slot <= 8; ++slot) {
        std::string name = "D" + std::to_string(slot);
        DWORD value = 99;
        if (!ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, name.c_str(), value) || value != 0)
            return ::testing::AssertionFailure() << name << " is not 0";
    }
    return ::testing::AssertionSuccess();
}

bool SentChangeId(const std::string& log) {
    return log.find("uWrite(") != std::string::npos;
}
}  // namespace

TEST_F(EndToEndTest, TypicalUsbWithoutPrinterOnWindowsXp) {
    ASSERT_TRUE(medium.SetUsbPrinters({}));
    PrinterChoice choice;
    choice.model = "QR-58";
    choice.setAsDefault = true;
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    std::vector<std::string> ports = walk.PortEntries();
    ASSERT_EQ(12u, ports.size());
    EXPECT_EQ("USB_QR-58_1", ports.back());
    EXPECT_EQ("TVCOM1:", walk.SelectedPort());  // no printer answers: the first port is preselected
    ASSERT_EQ("", walk.SelectPort("USB_QR-58_1"));

    std::vector<ShownMessage> shown = InstallAndFinish();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(ResourceText(IDS_INSTALL_SUCCEEDED_RESET), shown[0].text);
    EXPECT_EQ("打印机驱动安装成功\n请复位打印机使设置生效", shown[0].text);
    EXPECT_EQ(kAppTitle, shown[0].caption);
    EXPECT_EQ(std::vector<bool>{false}, walk.MessageIcons());  // the wizard window's box

    PrinterRecord printer = ReadPrinter("QR-58(U) 1");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("Qelvan QR-58 GDI", printer.driver);
    EXPECT_EQ("USB_QR-58_1", printer.port);
    EXPECT_EQ("QelvanProc", printer.processor);
    EXPECT_EQ(64u, printer.attributes & ~PRINTER_ATTRIBUTE_DEFAULT);
    EXPECT_EQ(1u, MakerPrinters().size());
    EXPECT_EQ(std::vector<std::string>{"Qelvan QR-58 GDI"}, MakerDrivers(kNtEnvironment));
    EXPECT_TRUE(DriverFilesInstalled(kNtEnvironment, "winnt", kQr58RasterFiles));
    // The medium that added the driver, as the deployment program records it too.
    EXPECT_EQ(ReadFileVersion(WizardDriver::BuiltExe()).text,
              ReadStringOrNone(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qelvan\\Drivers", "Qelvan QR-58 GDI"));

    EXPECT_TRUE(HasVersion(MonitorKey(kUsbMonitor), 2));
    EXPECT_TRUE(FileExists(SystemDirectoryPath() + "\\qvusbmon.dll"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kComMonitor)));
    EXPECT_TRUE(HasVersion(ProcessorKey(kNtEnvironment, "QelvanProc"), 2));
    EXPECT_TRUE(FileExists(SpoolerProcessorDirectory(kNtEnvironment) + "\\qvproc.dll"));

    EXPECT_EQ(1u, PortNameRecord("USB_QR-58_1"));
    EXPECT_TRUE(PortSlotsCleared());
    DWORD slot = 99;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, "USB_QR-58_1", slot));
    EXPECT_EQ(0u, slot);
    EXPECT_EQ(0u, DefaultPrinterDevice().find("QR-58(U) 1,"));
    EXPECT_FALSE(SentChangeId(medium.UsbLog()));
}

TEST_F(EndToEndTest, AdvancedUsbPrinterWithId2TakesPort3OnServer2003) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 2}}));
    PrinterChoice choice;
    choice.model = "QR-58";
    choice.advanced = true;
    ASSERT_TRUE(WalkToPortPage("win2003", choice));
    std::vector<std::string> ports = walk.PortEntries();
    ASSERT_EQ(15u, ports.size());
    EXPECT_EQ("USB_QR-58_1", ports[11]);
    EXPECT_EQ("USB_QR-58_4", ports[14]);
    EXPECT_EQ("USB_QR-58_3", walk.SelectedPort());

    std::vector<ShownMessage> shown = InstallAndFinish();
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED_RESET)}, Texts(shown));
    PrinterRecord printer = ReadPrinter("QR-58(U) 3");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("USB_QR-58_3", printer.port);
    EXPECT_EQ("Qelvan QR-58 GDI", printer.driver);
    EXPECT_TRUE(DriverFilesInstalled(kNtEnvironment, "win2003", kQr58RasterFiles));
    EXPECT_TRUE(HasVersion(MonitorKey(kUsbMonitor), 2));
    EXPECT_EQ(3u, PortNameRecord("USB_QR-58_3"));
    EXPECT_TRUE(PortSlotsCleared());
    // The printer's number already fits the port: no question, no change-ID command.
    EXPECT_FALSE(SentChangeId(medium.UsbLog()));
}

// The printer answers with number 1 while the user chose port 3. No keeps the wizard on the port page
// with nothing installed; pressing Install again and answering Yes renumbers the printer and installs
// it under the same name a first press would have given.
TEST_F(EndToEndTest, RenumberingRefusedThenAcceptedOnWindows2000) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));
    PrinterChoice choice;
    choice.model = "QR-58";
    choice.advanced = true;
    ASSERT_TRUE(WalkToPortPage("win2k", choice));
    EXPECT_EQ("USB_QR-58_1", walk.SelectedPort());
    ASSERT_EQ("", walk.SelectPort("USB_QR-58_3"));

    walk.PressInstall();
    ShownMessage question;
    ASSERT_TRUE(walk.AnswerNextMessage([](const ShownMessage&) { return IDNO; }, question));
    EXPECT_EQ(ResourceText(IDS_RENUMBER_QUESTION), question.text);
    EXPECT_EQ(kAppTitle, question.caption);
    EXPECT_EQ(std::vector<bool>{true}, walk.MessageIcons());  // the application's box
    ASSERT_TRUE(walk.Driver().IsRunning());
    EXPECT_EQ(WizardPage::Port, walk.VisiblePage());
    EXPECT_EQ("安装 (&I)", WizardDriver::Text(GetDlgItem(walk.Frame(), IDOK)));
    EXPECT_EQ("USB_QR-58_3", walk.SelectedPort());
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPortNameKey));
    EXPECT_FALSE(SentChangeId(medium.UsbLog()));

    // Back to the system page and forward again keeps the list and the chosen port, without asking
    // the USB library again.
    std::string logBefore = medium.UsbLog();
    walk.Driver().Click(GetDlgItem(walk.Frame(), IDC_BACK));
    EXPECT_EQ(WizardPage::System, walk.VisiblePage());
    EXPECT_EQ("下一步 (&N)>>", WizardDriver::Text(GetDlgItem(walk.Frame(), IDOK)));
    ASSERT_EQ("", walk.Next(WizardPage::Port));
    EXPECT_EQ("安装 (&I)", WizardDriver::Text(GetDlgItem(walk.Frame(), IDOK)));
    EXPECT_EQ("USB_QR-58_3", walk.SelectedPort());
    EXPECT_EQ(logBefore, medium.UsbLog());

    std::vector<ShownMessage> shown = InstallAndFinish(true);
    EXPECT_EQ((std::vector<std::string>{ResourceText(IDS_RENUMBER_QUESTION),
                                        ResourceText(IDS_INSTALL_SUCCEEDED_RESET)}),
              Texts(shown));
    // The change-ID command: ESC "s", the four code bytes, GS "I" space and the new number 3 minus one.
    std::smatch command;
    std::string log = medium.UsbLog();
    ASSERT_TRUE(
        std::regex_search(log, command, std::regex(R"(uWrite\(\d+, 0, ([0-9A-F ]+), (\d+)\) = (\d+))")))
        << log;
    EXPECT_TRUE(std::regex_match(command[1].str(), std::regex("1B 73 [0-9A-F]{2} [0-9A-F]{2} [0-9A-F]{2} "
                                                              "[0-9A-F]{2} 1D 49 20 02")))
        << command[1];
    EXPECT_EQ("10", command[2].str());

    std::vector<PrinterRecord> printers = MakerPrinters();
    ASSERT_EQ(1u, printers.size());
    EXPECT_EQ("QR-58(U) 3", printers[0].name);
    EXPECT_EQ("USB_QR-58_3", printers[0].port);
    EXPECT_EQ(3u, PortNameRecord("USB_QR-58_3"));
}

// The user has switched to another program when the wizard asks the renumbering question: the question
// still belongs to the wizard, which stays disabled under it, so Install or Cancel cannot be pressed
// again behind the question.
TEST_F(EndToEndTest, RenumberingQuestionDisablesTheWizardWhileAnotherProgramIsActive) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 1}}));  // port number 2, the typical port is 1
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    ASSERT_EQ("USB_QR-58_1", walk.SelectedPort());

    CaptionedWindow other("Another program");
    DWORD thread = GetWindowThreadProcessId(walk.Frame(), nullptr);
    auto wizardActive = [thread] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndActive;
    };
    for (int i = 0; i < 150 && wizardActive() != nullptr; ++i) {
        SetForegroundWindow(other.Handle());
        other.Pump();
        Sleep(20);
    }
    ASSERT_EQ(nullptr, wizardActive()) << "the wizard is still active";
    // Install through the frame's command, as the default button's Enter gives it: a click on the
    // button would activate the wizard again.
    PostMessageA(walk.Frame(), WM_COMMAND, IDOK, 0);
    ShownMessage question;
    HWND box = walk.Driver().WaitForMessageBox(question);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(ResourceText(IDS_RENUMBER_QUESTION), question.text);
    EXPECT_EQ(walk.Frame(), GetWindow(box, GW_OWNER));
    EXPECT_FALSE(WizardDriver::IsEnabled(walk.Frame()));
    ASSERT_TRUE(walk.AnswerNextMessage([](const ShownMessage&) { return IDNO; }, question));
    // The box's end re-enables the wizard on the wizard's thread: read once that thread has answered,
    // a few times on a busy machine, where the end can come after the first answer.
    bool enabled = false;
    for (int tries = 0; tries < 50 && !enabled; ++tries) {
        walk.Driver().Sync(walk.Frame());
        enabled = WizardDriver::IsEnabled(walk.Frame());
        if (!enabled) Sleep(100);
    }
    EXPECT_TRUE(enabled);
    EXPECT_EQ(WizardPage::Port, walk.VisiblePage());
    walk.Driver().Click(GetDlgItem(walk.Frame(), IDCANCEL));
    EXPECT_TRUE(walk.Driver().WaitForExit(15000));
}

TEST_F(EndToEndTest, TwoConnectedPrintersStopTheInstallationOnWindowsXp) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}, {5, 1}}));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    // The port list's query has found both printers already.
    auto ok = [](const ShownMessage&) { return IDOK; };
    ShownMessage message;
    ASSERT_TRUE(walk.AnswerNextMessage(ok, message));
    EXPECT_EQ(ResourceText(IDS_ONE_PRINTER_ONLY), message.text);
    EXPECT_EQ("安装过程中，请仅连接一台打印机", message.text);
    EXPECT_EQ("USB_QR-58_1", walk.SelectedPort());

    walk.PressInstall();
    ASSERT_TRUE(walk.AnswerNextMessage(ok, message));
    EXPECT_EQ(ResourceText(IDS_ONE_PRINTER_ONLY), message.text);
    EXPECT_FALSE(walk.AnswerNextMessage(ok, message, 500)) << message.text;
    ASSERT_TRUE(walk.Driver().IsRunning());
    EXPECT_EQ(WizardPage::Port, walk.VisiblePage());
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPortNameKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    walk.Driver().Click(GetDlgItem(walk.Frame(), IDCANCEL));
    EXPECT_TRUE(walk.Driver().WaitForExit(15000));
}

// A model whose name contains "KRP-C3" creates its printer on the short port "USB_KRP-C3_" + the
// chosen port's number, and records that port. The model here is called "KRP-C3E", so the port the
// user chose and the port the printer uses differ.
TEST_F(EndToEndTest, KrpC3ModelUsesItsPortAliasOnVista) {
    ASSERT_TRUE(
        medium.ReplaceInFile("DRVCONFIG\\setup.ini", "KRP-C3-ReceiptPrinter", "KRP-C3E-ReceiptPrinter"));
    ASSERT_TRUE(medium.ReplaceInFile("DRVCONFIG\\setup_receipt.ini", "[KRP-C3.", "[KRP-C3E."));
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 3}}));
    PrinterChoice choice;
    choice.model = "KRP-C3E";
    choice.advanced = true;
    ASSERT_TRUE(WalkToPortPage("vista", choice));
    EXPECT_EQ("USB_KRP-C3E_4", walk.SelectedPort());

    std::vector<ShownMessage> shown = InstallAndFinish();
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED_RESET)}, Texts(shown));
    PrinterRecord printer = ReadPrinter("KRP-C3E(U) 4");
    ASSERT_TRUE(printer.found);
    EXPECT_EQ("USB_KRP-C3_4", printer.port);
    EXPECT_EQ("Qelvan KRP-C3 GDI", printer.driver);
    EXPECT_TRUE(DriverFilesInstalled(kNtEnvironment, "Vista", {"UNIDRV.DLL", "KRPC3.GPD", "UNIDRVUI.DLL"}));
    // The device number comes from the common file's entry for the alias.
    EXPECT_EQ(4u, PortNameRecord("USB_KRP-C3_4"));
    EXPECT_EQ(99u, PortNameRecord("USB_KRP-C3E_4"));
    DWORD slot = 99;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, "USB_KRP-C3E_4", slot));
    EXPECT_EQ(0u, slot);
    // On Vista the wizard records itself with the compatibility assistant.
    DWORD compatibility = 0;
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER,
                          "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\"
                          "Compatibility Assistant\\Persisted",
                          medium.Exe().c_str(), compatibility));
    EXPECT_EQ(1u, compatibility);
}

// The port list never offers a USB port on Windows NT 4.0; the test adds one to the list, as only a
// changed list could offer it, to show that Install refuses it. The USB query and the port record
// come before that refusal.
TEST_F(EndToEndTest, Nt4RefusesAUsbPort) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("nt40", choice));
    std::vector<std::string> ports = walk.PortEntries();
    ASSERT_EQ(11u, ports.size());
    for (const std::string& port : ports) EXPECT_EQ(std::string::npos, port.find("USB")) << port;

    HWND list = WizardDriver::Control(walk.Frame(), IDC_PORT_LIST);
    DWORD_PTR added = 0;
    SendMessageTimeoutW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"USB_QR-58_1"), SMTO_NORMAL, 5000,
                        &added);
    ASSERT_EQ("", walk.SelectPort("USB_QR-58_1"));
    walk.PressInstall();
    ShownMessage message;
    ASSERT_TRUE(walk.AnswerNextMessage([](const ShownMessage&) { return IDOK; }, message));
    EXPECT_EQ(ResourceText(IDS_NT4_NO_USB), message.text);
    EXPECT_EQ("WindowsNT4及早期版本不支持USB", message.text);
    EXPECT_EQ(kAppTitle, message.caption);
    EXPECT_EQ(std::vector<bool>{false}, walk.MessageIcons());
    ASSERT_TRUE(walk.Driver().IsRunning());
    EXPECT_EQ(WizardPage::Port, walk.VisiblePage());
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_EQ(1u, PortNameRecord("USB_QR-58_1"));
    walk.Driver().Click(GetDlgItem(walk.Frame(), IDCANCEL));
    EXPECT_TRUE(walk.Driver().WaitForExit(15000));
}
