#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "choices/InstallChoices.h"
#include "pages/PortPage.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/usb/UsbTestFixtures.h"

namespace {
typedef std::vector<std::string> Texts;

const char kModel[] = "QP58";
const Texts kFixedPorts{"TVCOM1:", "TVCOM2:", "TVCOM3:", "TVCOM4:", "TVCOM5:", "TVCOM6:",
                        "TVCOM7:", "TVCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};
const Texts k9xPorts{"COM1:", "COM2:", "LPT1:"};

Texts Concat(Texts first, const Texts& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}
Texts UsbPorts(int count) {
    Texts ports;
    for (int k = 1; k <= count; ++k) ports.push_back(std::string("USB_") + kModel + "_" + std::to_string(k));
    return ports;
}

// The receipt category file with the model's port section.
std::string PortSection(int usbSupported, int lptDefault) {
    return std::string("[") + kModel + ".PORT]\r\nUSBSUPPORTED=" + std::to_string(usbSupported) +
           "\r\nLPTDEFAULT=" + std::to_string(lptDefault) + "\r\n";
}

// The printer's scenario for the stand-in USB library: one printer with the device id, or two.
std::string OnePrinter(int deviceId) {
    return "[Printer0]\nbcdDevice=" + std::to_string(deviceId) + "\n";
}
const char kTwoPrinters[] = "[Printer0]\nbcdDevice=1\n[Printer4]\nbcdDevice=2\n";

// A freshly created port page that builds its list once in the given variant.
struct BuiltPage {
    BuiltPage(InstallMode mode, int targetSystem, int category = Receipt) {
        open = host.Open(page);
        page.listMode = mode;
        if (mode == Typical)
            page.BuildTypicalPortList(kModel, targetSystem, category);
        else
            page.BuildAdvancedPortList(kModel, targetSystem, category);
    }
    PageHost host;
    PortPage page{IDD_PORT_PAGE};
    bool open = false;
};

// The list a fresh page builds.
Texts BuiltList(InstallMode mode, int targetSystem, int category = Receipt) {
    BuiltPage built(mode, targetSystem, category);
    return ListTexts(built.page, IDC_PORT_LIST);
}
}  // namespace

TEST(PortList, FixedPortsPerSystemWithoutUsb) {
    UsbScenario noPrinter("");
    UsbDriverFiles noDrivers("", "");
    for (int system : {Windows2000, WindowsXP, WindowsServer2003, WindowsVista, WindowsNT4}) {
        BuiltPage built(Typical, system);
        ASSERT_TRUE(built.open);
        EXPECT_EQ(kFixedPorts, ListTexts(built.page, IDC_PORT_LIST)) << system;
        EXPECT_EQ(0, SelectedIndex(built.page, IDC_PORT_LIST));
        EXPECT_STREQ("TVCOM1:", built.page.portName);
        EXPECT_EQ(1, SerialListsEnabled(built.page));
        EXPECT_EQ(0, built.page.gdiDriver);
        EXPECT_FALSE(IsChecked(built.page, IDC_GDI_DRIVER));
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT));
    }
    BuiltPage built(Advanced, Windows98Me);
    EXPECT_EQ(k9xPorts, ListTexts(built.page, IDC_PORT_LIST));
    EXPECT_STREQ("COM1:", built.page.portName);
    EXPECT_EQ(1, SerialListsEnabled(built.page));
}

TEST(PortList, UsbEntriesPerSystemAndMode) {
    ProgramConfig config("setup_receipt.ini", PortSection(1, 0));
    UsbScenario noPrinter("");
    UsbDriverFiles noDrivers("", "");
    EXPECT_EQ(Concat(kFixedPorts, UsbPorts(1)), BuiltList(Typical, WindowsXP));
    EXPECT_EQ(Concat(kFixedPorts, UsbPorts(4)), BuiltList(Advanced, WindowsVista));
    EXPECT_EQ(Concat(k9xPorts, UsbPorts(4)), BuiltList(Advanced, Windows98Me));
    EXPECT_EQ(kFixedPorts, BuiltList(Typical, WindowsNT4));
    EXPECT_EQ(kFixedPorts, BuiltList(Advanced, WindowsNT4));
    // Another category reads its own file, here missing: no USB support.
    EXPECT_EQ(kFixedPorts, BuiltList(Typical, WindowsXP, Ticket));
    // No category at all reads from the directory alone: both keys are 0.
    EXPECT_EQ(kFixedPorts, BuiltList(Typical, WindowsXP, -1));
    // Without a connected printer the first port is preselected.
    BuiltPage built(Advanced, WindowsXP);
    EXPECT_STREQ("TVCOM1:", built.page.portName);
    EXPECT_EQ(1, SerialListsEnabled(built.page));
}

TEST(PortList, ParallelPortPreselectedByLptDefault) {
    ProgramConfig config("setup_receipt.ini", PortSection(0, 1));
    UsbScenario printer(OnePrinter(0));
    for (InstallMode mode : {Typical, Advanced}) {
        BuiltPage built(mode, WindowsXP);
        EXPECT_EQ(8, SelectedIndex(built.page, IDC_PORT_LIST));
        EXPECT_STREQ("LPT1:", built.page.portName);
        EXPECT_EQ(0, SerialListsEnabled(built.page));
        EXPECT_EQ(1, built.page.gdiDriver);
        EXPECT_TRUE(IsChecked(built.page, IDC_GDI_DRIVER));
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT));
    }
    // The device query runs even when the model has no USB support.
    EXPECT_FALSE(printer.Calls().empty());
    BuiltPage on98(Typical, Windows98Me);
    EXPECT_STREQ("LPT1:", on98.page.portName);
}

TEST(PortList, ConnectedPrinterPreselectsItsPort) {
    ProgramConfig config("setup_receipt.ini", PortSection(1, 1));
    UsbDriverFiles driversCurrent("bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_5.sys");
    struct Case {
        int deviceId;  // -2: two printers connected
        InstallMode mode;
        const char* port;  // the preselected port, empty for none
    };
    const Case cases[] = {
        {0, Typical, "USB_QP58_1"},   {2, Typical, "USB_QP58_1"},  {12, Typical, "USB_QP58_1"},
        {-2, Typical, "USB_QP58_1"},  {0, Advanced, "USB_QP58_1"}, {2, Advanced, "USB_QP58_3"},
        {11, Advanced, "USB_QP58_4"}, {12, Advanced, "TVCOM1:"},   {-2, Advanced, ""},
    };
    for (const Case& c : cases) {
        UsbScenario scenario(c.deviceId == -2 ? kTwoPrinters : OnePrinter(c.deviceId));
        MessageBoxWatcher watcher;
        BuiltPage built(c.mode, WindowsXP);
        std::string what = std::to_string(c.deviceId) + (c.mode == Typical ? " typical" : " advanced");
        EXPECT_STREQ(c.port, built.page.portName) << what;
        EXPECT_EQ(c.port, SelectedText(built.page, IDC_PORT_LIST)) << what;
        bool usb = c.port[0] == 'U';
        // A USB port is raster-driven with the serial lists disabled; anything else gets the serial
        // reaction, also no port at all.
        EXPECT_EQ(usb ? 0 : 1, SerialListsEnabled(built.page)) << what;
        EXPECT_EQ(usb ? 1 : 0, built.page.gdiDriver) << what;
        EXPECT_EQ(usb, IsChecked(built.page, IDC_GDI_DRIVER)) << what;
        // An up-to-date driver leaves the hint as it was: hidden.
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT)) << what;
        EXPECT_EQ(c.deviceId == -2 ? 1u : 0u, watcher.Texts().size()) << what;
    }
}

TEST(PortList, UsbHintAsksForTheDriver) {
    ProgramConfig config("setup_receipt.ini", PortSection(1, 0));
    UsbScenario printer(OnePrinter(0));
    {
        // Outdated driver: the hint asks for an upgrade, in blue on pink, 14 pixels high.
        UsbDriverFiles outdated("bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_3.sys");
        BuiltPage built(Typical, Windows98Me);
        ASSERT_STREQ("USB_QP58_1", built.page.portName);
        EXPECT_TRUE(IsShown(built.page, IDC_USB_HINT));
        EXPECT_EQ(ResourceText(IDS_UPGRADE_USB_DRIVER), ControlText(built.page, IDC_USB_HINT));
        EXPECT_EQ(RGB(0, 0, 255), built.page.usbHint.TextColor());
        EXPECT_EQ(-14, built.page.usbHint.FontDescription().lfHeight);
        EXPECT_STREQ("宋体", built.page.usbHint.FontDescription().lfFaceName);
        // The colours the page hands the hint's painting.
        HDC dc = CreateCompatibleDC(nullptr);
        HWND hint = built.page.GetDlgItem(IDC_USB_HINT);
        auto brush = reinterpret_cast<HBRUSH>(built.page.SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hint)));
        LOGBRUSH description = {};
        ASSERT_NE(nullptr, brush);
        ASSERT_NE(0, GetObjectA(brush, sizeof description, &description));
        EXPECT_EQ(RGB(255, 202, 253), description.lbColor);
        EXPECT_EQ(RGB(0, 0, 255), GetTextColor(dc));
        DeleteDC(dc);

        // A parallel port hides it; choosing the USB port again shows it again.
        SelectEntry(built.page, IDC_PORT_LIST, 2);
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT));
        SelectEntry(built.page, IDC_PORT_LIST, 3);
        EXPECT_TRUE(IsShown(built.page, IDC_USB_HINT));
        EXPECT_EQ(0, SerialListsEnabled(built.page));
        EXPECT_EQ(1, built.page.gdiDriver);

        // With the driver up to date the hint keeps its state and text.
        UsbDriverFiles current("bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_5.sys");
        SelectEntry(built.page, IDC_PORT_LIST, 3);
        EXPECT_TRUE(IsShown(built.page, IDC_USB_HINT));
        EXPECT_EQ(ResourceText(IDS_UPGRADE_USB_DRIVER), ControlText(built.page, IDC_USB_HINT));
        // A serial port hides it.
        SelectEntry(built.page, IDC_PORT_LIST, 0);
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT));
        SelectEntry(built.page, IDC_PORT_LIST, 3);
        EXPECT_FALSE(IsShown(built.page, IDC_USB_HINT));
    }
    {
        // No driver installed: the hint asks for an installation.
        UsbDriverFiles missing("bulkusb_1_0_0_5.sys", "");
        BuiltPage built(Advanced, WindowsXP);
        ASSERT_STREQ("USB_QP58_1", built.page.portName);
        EXPECT_TRUE(IsShown(built.page, IDC_USB_HINT));
        EXPECT_EQ(ResourceText(IDS_INSTALL_USB_DRIVER), ControlText(built.page, IDC_USB_HINT));
    }
}

TEST(PortList, SameModelAndModeKeepTheListWithoutAQuery) {
    ProgramConfig config("setup_receipt.ini", PortSection(1, 0));
    UsbDriverFiles driversCurrent("bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_5.sys");
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    {
        UsbScenario scenario(OnePrinter(0));
        page.listMode = Typical;
        page.BuildTypicalPortList(kModel, WindowsXP, Receipt);
        EXPECT_FALSE(scenario.Calls().empty());
        EXPECT_STREQ(kModel, page.lastListModel);
        EXPECT_EQ(Typical, lastListMode);
    }
    // The user picks another port, goes back and comes forward again.
    SelectEntry(page, IDC_PORT_LIST, 9);
    {
        UsbScenario scenario(OnePrinter(2));
        page.BuildTypicalPortList(kModel, WindowsXP, Receipt);
        EXPECT_TRUE(scenario.Calls().empty());
        EXPECT_STREQ("LPT2:", page.portName);
        EXPECT_EQ("LPT2:", SelectedText(page, IDC_PORT_LIST));
        EXPECT_EQ(Concat(kFixedPorts, UsbPorts(1)), ListTexts(page, IDC_PORT_LIST));
    }
    {
        // Another mode rebuilds and queries again.
        UsbScenario scenario(OnePrinter(2));
        page.listMode = Advanced;
        page.BuildAdvancedPortList(kModel, WindowsXP, Receipt);
        EXPECT_FALSE(scenario.Calls().empty());
        EXPECT_EQ(Advanced, lastListMode);
        EXPECT_STREQ("USB_QP58_3", page.portName);
        EXPECT_EQ(Concat(kFixedPorts, UsbPorts(4)), ListTexts(page, IDC_PORT_LIST));
    }
    {
        // So does another model.
        UsbScenario scenario(OnePrinter(2));
        page.BuildAdvancedPortList("QP80", WindowsXP, Receipt);
        EXPECT_FALSE(scenario.Calls().empty());
        EXPECT_STREQ("QP80", page.lastListModel);
        EXPECT_EQ(kFixedPorts, ListTexts(page, IDC_PORT_LIST));
        EXPECT_STREQ("TVCOM1:", page.portName);
    }
}

TEST(PortList, ModelNamedPrinterFindsTheMemoEqualAtFirst) {
    UsbScenario scenario(OnePrinter(0));
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    page.BuildTypicalPortList("PRINTER", WindowsXP, Receipt);
    EXPECT_TRUE(ListTexts(page, IDC_PORT_LIST).empty());
    EXPECT_TRUE(scenario.Calls().empty());
    EXPECT_STREQ("", page.portName);
}

TEST(PortList, LongestModelNameFitsThePortName) {
    // The longest model whose port section name ("%s.PORT") the configuration reader can still form.
    std::string model(194, 'M');
    ProgramConfig config("setup_receipt.ini", "[" + model + ".PORT]\r\nUSBSUPPORTED=1\r\n");
    UsbScenario scenario(OnePrinter(3));
    UsbDriverFiles driversCurrent("", "");
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    page.listMode = Advanced;
    page.BuildAdvancedPortList(model.c_str(), WindowsXP, Receipt);
    EXPECT_EQ("USB_" + model + "_4", std::string(page.portName));
}

// A USB entry carries the model's name, which may contain "COM": preselected or picked, the entry
// gets the USB reaction all the same.
TEST(PortList, UsbPortOfAModelNamedLikeASerialPort) {
    ProgramConfig config("setup_receipt.ini", "[COMPACT58.PORT]\r\nUSBSUPPORTED=1\r\n");
    UsbScenario printer(OnePrinter(0));
    UsbDriverFiles noDriver("bulkusb_1_0_0_5.sys", "");
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    page.BuildTypicalPortList("COMPACT58", WindowsXP, Receipt);
    for (const char* how : {"preselected", "picked"}) {
        EXPECT_STREQ("USB_COMPACT58_1", page.portName) << how;
        EXPECT_EQ(1, page.gdiDriver) << how;
        EXPECT_TRUE(IsChecked(page, IDC_GDI_DRIVER)) << how;
        EXPECT_EQ(0, SerialListsEnabled(page)) << how;
        EXPECT_TRUE(IsShown(page, IDC_USB_HINT)) << how;
        // Away to a serial port and back to the USB port.
        SelectEntry(page, IDC_PORT_LIST, 0);
        ASSERT_EQ(0, page.gdiDriver);
        SelectEntry(page, IDC_PORT_LIST, 11);
    }
}
