#include <gtest/gtest.h>

#include <string>

#include "resources/ControlIds.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"

namespace {
const int kBaud9600 = 5, kBaud19200 = 6, kBaud38400 = 7;

// Four receipt printers and nothing else: the models differ in what their port sections allow.
const char kCatalogue[] =
    "[DEVICENAME]\r\nDEVICENUMBER=4\r\n"
    "DEVICENAME1=QF-A-ReceiptPrinter\r\nDEVICENAME2=QF-B-ReceiptPrinter\r\n"
    "DEVICENAME3=QF-C-ReceiptPrinter\r\nDEVICENAME4=QF-D-ReceiptPrinter\r\nDEFAULTNAME=1\r\n";
const char kPortSections[] =
    "[QF-A.PORT]\r\nAdvancedSetup=1\r\nBaudRate=9600\r\nSystem2003Supported=1\r\nSystemVistaSupported=1\r\n"
    "[QF-B.PORT]\r\nAdvancedSetup=0\r\nBaudRate=14400\r\n"
    "[QF-C.PORT]\r\nSystem2003Supported=1\r\n"
    "[QF-D.PORT]\r\nBaudRate=38400\r\nSystemVistaSupported=1\r\n";

// A copy of the built medium whose configuration the test writes; the wizard runs from it.
class FlowMedium {
public:
    FlowMedium(const std::string& catalogue = kCatalogue) {
        WizardDriver::CopyTree(WizardDriver::BuiltMedium(), dir_.Path());
        WriteTextFile(dir_ / "DRVCONFIG\\setup.ini", catalogue);
        WriteTextFile(dir_ / "DRVCONFIG\\setup_receipt.ini", kPortSections);
    }
    const std::string& Path() const { return dir_.Path(); }
    std::string Exe() const { return dir_ / "QelvanSetup.exe"; }

private:
    TempDir dir_{"qelvan-flow"};
};

class PageFlow : public ::testing::Test {
protected:
    // Starts the wizard from the medium under the given Windows version and accepts the licence.
    bool Start(const FlowMedium& medium, const char* version = kTestWindowsVersion) {
        WizardDriver::SetWindowsVersion("QelvanSetup.exe", version);
        if (!driver.Launch(medium.Exe(), medium.Path())) return false;
        wizard = driver.WaitForWindow(kWizardCaption);
        if (wizard == nullptr) return false;
        driver.Click(Item(1057));
        return true;
    }
    void TearDown() override {
        if (wizard != nullptr && driver.IsRunning()) CancelWizard(driver, wizard);
    }
    HWND Item(int id) const { return WizardDriver::Control(wizard, id); }
    void Next() { driver.Click(GetDlgItem(wizard, IDOK)); }
    void Back() { driver.Click(GetDlgItem(wizard, IDC_BACK)); }
    void ChooseReceiptModel(int index) { driver.SelectComboItem(Item(IDC_RECEIPT_LIST), index); }
    int Selection(int id) const {
        DWORD_PTR index = 0;
        SendMessageTimeoutA(Item(id), CB_GETCURSEL, 0, 0, SMTO_NORMAL, 5000, &index);
        return static_cast<int>(index);
    }
    // Which page shows: each page is known by one of its controls.
    bool Showing(int id) const { return WizardDriver::IsVisible(Item(id)); }
    std::string NextCaption() const { return WizardDriver::Text(GetDlgItem(wizard, IDOK)); }
    // Presses OK in a message box and waits until the wizard has gone on after it.
    void Dismiss(HWND box) {
        AnswerMessageBox(box, IDOK);
        for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
        driver.Sync(wizard);
    }
    // From the printer page with the model at index to the port page.
    void WalkToPortPage(int model) {
        Next();
        ChooseReceiptModel(model);
        Next();
        Next();
        Next();
    }

    WizardDriver driver;
    HWND wizard = nullptr;
};
}  // namespace

TEST_F(PageFlow, WalksAllFivePagesForwardAndBack) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    Next();
    ASSERT_TRUE(Showing(IDC_RECEIPT_LIST));
    // Only the receipt category has models.
    EXPECT_TRUE(WizardDriver::IsEnabled(Item(IDC_RECEIPT_RADIO)));
    EXPECT_FALSE(WizardDriver::IsEnabled(Item(IDC_TICKET_RADIO)));
    EXPECT_FALSE(WizardDriver::IsEnabled(Item(IDC_LABEL_RADIO)));
    EXPECT_FALSE(WizardDriver::IsEnabled(Item(IDC_EMBEDDED_RADIO)));
    EXPECT_TRUE(WizardDriver::IsEnabled(GetDlgItem(wizard, IDOK)));
    Next();
    EXPECT_TRUE(Showing(IDC_TYPICAL));
    Next();
    EXPECT_TRUE(Showing(IDC_WINXP));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(Item(IDC_WINXP)));
    Next();
    EXPECT_TRUE(Showing(IDC_PORT_LIST));
    EXPECT_EQ("安装 (&I)", NextCaption());
    EXPECT_EQ(0, Selection(IDC_PORT_LIST));  // "TVCOM1:", the first port
    Back();
    EXPECT_TRUE(Showing(IDC_WINXP));
    EXPECT_EQ("下一步 (&N)>>", NextCaption());
    Back();
    Back();
    Back();
    EXPECT_TRUE(Showing(1081));  // the licence text
    EXPECT_FALSE(WizardDriver::IsEnabled(GetDlgItem(wizard, IDC_BACK)));
}

TEST_F(PageFlow, AnEmptyCatalogueKeepsNextDisabledOnThePrinterPage) {
    FlowMedium medium("[DEVICENAME]\r\nDEVICENUMBER=0\r\n");
    ASSERT_TRUE(Start(medium));
    EXPECT_TRUE(WizardDriver::IsEnabled(GetDlgItem(wizard, IDOK)));  // the licence is accepted
    Next();
    EXPECT_TRUE(Showing(IDC_RECEIPT_LIST));
    EXPECT_FALSE(WizardDriver::IsEnabled(GetDlgItem(wizard, IDOK)));
}

TEST_F(PageFlow, AModelWithoutAdvancedSetupForcesTheTypicalMode) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    Next();
    ChooseReceiptModel(0);  // QF-A offers the advanced mode
    Next();
    ASSERT_TRUE(WizardDriver::IsEnabled(Item(IDC_ADVANCED)));
    driver.Click(Item(IDC_ADVANCED));
    EXPECT_EQ(ResourceText(IDS_ADVANCED_EXPLANATION), WizardDriver::Text(Item(IDC_MODE_TEXT)));
    Back();
    ChooseReceiptModel(1);  // QF-B does not
    Next();
    EXPECT_FALSE(WizardDriver::IsEnabled(Item(IDC_ADVANCED)));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(Item(IDC_TYPICAL)));
    EXPECT_EQ(BST_UNCHECKED, WizardDriver::Check(Item(IDC_ADVANCED)));
    EXPECT_EQ(ResourceText(IDS_TYPICAL_EXPLANATION), WizardDriver::Text(Item(IDC_MODE_TEXT)));
    EXPECT_FALSE(WizardDriver::IsVisible(Item(IDC_MODE_TEXT_2)));
    // Back to a model with the advanced mode: it is offered again, the typical choice kept.
    Back();
    ChooseReceiptModel(0);
    Next();
    EXPECT_TRUE(WizardDriver::IsEnabled(Item(IDC_ADVANCED)));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(Item(IDC_TYPICAL)));
}

TEST_F(PageFlow, BaudRate9600IsPreset) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    WalkToPortPage(0);
    ASSERT_TRUE(Showing(IDC_PORT_LIST));
    EXPECT_EQ(kBaud9600, Selection(IDC_BAUD_RATE));
}

TEST_F(PageFlow, RatesTheListDoesNotOfferAndAMissingRateShow38400) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    WalkToPortPage(1);  // 14400
    ASSERT_TRUE(Showing(IDC_PORT_LIST));
    EXPECT_EQ(kBaud38400, Selection(IDC_BAUD_RATE));
    // Back to the printer page and forward with a model without BaudRate, then one with 38400.
    for (int model : {2, 3}) {
        Back();
        Back();
        Back();
        ChooseReceiptModel(model);
        Next();
        Next();
        Next();
        ASSERT_TRUE(Showing(IDC_PORT_LIST));
        EXPECT_EQ(kBaud38400, Selection(IDC_BAUD_RATE)) << model;
    }
}

TEST_F(PageFlow, TheUsersBaudRateStaysUntilThePrinterPageIsLeftAgain) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    WalkToPortPage(0);
    driver.SelectComboItem(Item(IDC_BAUD_RATE), kBaud19200);
    Back();  // the system page
    Next();
    EXPECT_EQ(kBaud19200, Selection(IDC_BAUD_RATE));
    Back();
    Back();  // the mode page
    Next();
    Next();
    EXPECT_EQ(kBaud19200, Selection(IDC_BAUD_RATE));
    Back();
    Back();
    Back();  // the printer page: the next arrival presets the rate again
    Next();
    Next();
    Next();
    EXPECT_EQ(kBaud9600, Selection(IDC_BAUD_RATE));
}

TEST_F(PageFlow, Server2003RefusesAModelWithoutItsSupport) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium, "win2003"));
    Next();
    ChooseReceiptModel(1);  // QF-B: System2003Supported missing
    Next();
    Next();
    ASSERT_TRUE(Showing(IDC_WIN2003));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(Item(IDC_WIN2003)));
    EXPECT_FALSE(WizardDriver::IsEnabled(Item(IDC_VISTA)));
    Next();
    ShownMessage message;
    HWND box = driver.WaitForMessageBox(message, 5000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("此种打印机不支持WINDOWS SEVER 2003系统", message.text);
    EXPECT_EQ(kAppTitle, message.caption);
    Dismiss(box);
    EXPECT_TRUE(Showing(IDC_WIN2003));
    EXPECT_FALSE(Showing(IDC_PORT_LIST));
    EXPECT_EQ("下一步 (&N)>>", NextCaption());
    // Another model with Server 2003 support goes through, with its own baud rate.
    Back();
    Back();
    ChooseReceiptModel(0);
    Next();
    Next();
    Next();
    ASSERT_TRUE(Showing(IDC_PORT_LIST));
    EXPECT_EQ(kBaud9600, Selection(IDC_BAUD_RATE));
}

TEST_F(PageFlow, VistaRefusesAModelWithoutItsSupport) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium, "vista"));
    Next();
    ChooseReceiptModel(2);  // QF-C: SystemVistaSupported missing
    Next();
    Next();
    ASSERT_EQ(BST_CHECKED, WizardDriver::Check(Item(IDC_VISTA)));
    Next();
    ShownMessage message;
    HWND box = driver.WaitForMessageBox(message, 5000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("此种打印机不支持WINDOWS Vista系统", message.text);
    Dismiss(box);
    EXPECT_TRUE(Showing(IDC_VISTA));
    // A model with Vista support passes.
    Back();
    Back();
    ChooseReceiptModel(3);
    Next();
    Next();
    Next();
    EXPECT_TRUE(Showing(IDC_PORT_LIST));
}

TEST_F(PageFlow, TheSystemPageShowsTheRunningSystemOnly) {
    const struct {
        const char* version;
        int checked;  // 0: none
    } cases[] = {{"win98", IDC_WIN98ME},
                 {"nt40", IDC_WINNT4},
                 {"win2k", IDC_WIN2000},
                 {"winxp", IDC_WINXP},
                 {"win2003", IDC_WIN2003},
                 {"vista", IDC_VISTA},
                 {"win7", 0}};
    const int radios[] = {IDC_WIN98ME, IDC_WINNT4, IDC_WIN2000, IDC_WINXP, IDC_WIN2003, IDC_VISTA};
    FlowMedium medium;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.version);
        WizardDriver run;
        WizardDriver::SetWindowsVersion("QelvanSetup.exe", each.version);
        ASSERT_TRUE(run.Launch(medium.Exe(), medium.Path()));
        HWND frame = run.WaitForWindow(kWizardCaption);
        ASSERT_NE(nullptr, frame);
        // An unrecognised system leaves only the Windows 98/Me button enabled and nothing checked.
        int enabled = each.checked ? each.checked : IDC_WIN98ME;
        for (int radio : radios) {
            HWND button = WizardDriver::Control(frame, radio);
            EXPECT_EQ(radio == each.checked ? BST_CHECKED : BST_UNCHECKED, WizardDriver::Check(button))
                << radio;
            EXPECT_EQ(radio == enabled, WizardDriver::IsEnabled(button)) << radio;
        }
        CancelWizard(run, frame);
    }
}

// The raster box lies below the port page, out of the user's sight: Tab must not reach it either, or
// a Space would switch the driver family unseen. Each press goes where a typed Tab goes, to the
// focused control through the wizard's dialog loop.
TEST_F(PageFlow, TabOnThePortPageNeverReachesTheHiddenRasterBox) {
    FlowMedium medium;
    ASSERT_TRUE(Start(medium));
    WalkToPortPage(0);
    ASSERT_TRUE(Showing(IDC_PORT_LIST));
    DWORD thread = GetWindowThreadProcessId(wizard, nullptr);
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    bool portListReached = false;
    for (int press = 0; press < 48; ++press) {
        ASSERT_TRUE(GetGUIThreadInfo(thread, &focus) && focus.hwndFocus != nullptr);
        PostMessageA(focus.hwndFocus, WM_KEYDOWN, VK_TAB, 0);
        // The first answer may come before the key is taken from the queue, the second cannot.
        driver.Sync(wizard);
        driver.Sync(wizard);
        ASSERT_TRUE(GetGUIThreadInfo(thread, &focus));
        int id = GetDlgCtrlID(focus.hwndFocus);
        EXPECT_NE(IDC_GDI_DRIVER, id) << "press " << press;
        portListReached = portListReached || id == IDC_PORT_LIST;
    }
    EXPECT_TRUE(portListReached);
}
