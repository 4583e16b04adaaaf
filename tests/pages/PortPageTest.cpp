#include "pages/PortPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "choices/InstallChoices.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/usb/UsbTestFixtures.h"

namespace {
typedef std::vector<std::string> Texts;

// Index of a port in the list of a Windows XP build with one USB port: TVCOM1..8, LPT1..3, the USB port.
constexpr int kTvcom3 = 2;
constexpr int kLpt2 = 9;
constexpr int kUsb = 11;
}  // namespace

TEST(PortPage, InitialSerialSettingsAndListContents) {
    lastListMode = Advanced;
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));

    EXPECT_EQ((Texts{"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}),
              ListTexts(page, IDC_BAUD_RATE));
    EXPECT_EQ((Texts{"5", "6", "7", "8"}), ListTexts(page, IDC_DATA_BITS));
    EXPECT_EQ((Texts{"Even", "Mark", "None", "Odd", "Space"}), ListTexts(page, IDC_PARITY));
    EXPECT_EQ((Texts{"1", "1.5", "2"}), ListTexts(page, IDC_STOP_BITS));
    EXPECT_EQ((Texts{"None", "Xon/Xoff", "Hardware"}), ListTexts(page, IDC_FLOW_CONTROL));
    EXPECT_TRUE(ListTexts(page, IDC_PORT_LIST).empty());

    // The lists show the members' values; the baud rate is left to the page flow.
    EXPECT_EQ(-1, SelectedIndex(page, IDC_BAUD_RATE));
    EXPECT_EQ("8", SelectedText(page, IDC_DATA_BITS));
    EXPECT_EQ("1", SelectedText(page, IDC_STOP_BITS));
    EXPECT_EQ("None", SelectedText(page, IDC_PARITY));
    EXPECT_EQ("Hardware", SelectedText(page, IDC_FLOW_CONTROL));
    EXPECT_EQ(8, page.dataBits);
    EXPECT_EQ(1.0, page.stopBits);
    EXPECT_EQ('n', page.parity);
    EXPECT_EQ('p', page.flowControl);

    EXPECT_STREQ("PRINTER", page.lastListModel);
    EXPECT_EQ(Typical, page.listMode);
    EXPECT_EQ(Typical, lastListMode);
    EXPECT_STREQ("", page.portName);
    EXPECT_EQ(0, page.gdiDriver);
    EXPECT_FALSE(IsChecked(page, IDC_GDI_DRIVER));
    EXPECT_FALSE(IsShown(page, IDC_USB_HINT));
    // The check box that carries gdiDriver lies below the page's bottom edge.
    RECT pageRect, boxRect;
    GetWindowRect(page.m_hWnd, &pageRect);
    GetWindowRect(page.GetDlgItem(IDC_GDI_DRIVER), &boxRect);
    EXPECT_GE(boxRect.top, pageRect.bottom);
}

TEST(PortPage, SerialListsConvertTheChosenText) {
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    SelectEntry(page, IDC_STOP_BITS, 1);
    EXPECT_EQ(1.5, page.stopBits);
    SelectEntry(page, IDC_STOP_BITS, 2);
    EXPECT_EQ(2.0, page.stopBits);
    SelectEntry(page, IDC_PARITY, 4);
    EXPECT_EQ('S', page.parity);
    SelectEntry(page, IDC_PARITY, 0);
    EXPECT_EQ('E', page.parity);
    SelectEntry(page, IDC_FLOW_CONTROL, 0);
    EXPECT_EQ(' ', page.flowControl);
    SelectEntry(page, IDC_FLOW_CONTROL, 1);
    EXPECT_EQ('x', page.flowControl);
    SelectEntry(page, IDC_FLOW_CONTROL, 2);
    EXPECT_EQ('p', page.flowControl);
    SelectEntry(page, IDC_BAUD_RATE, 9);
    EXPECT_EQ(115200, page.baudRate);
    SelectEntry(page, IDC_BAUD_RATE, 0);
    EXPECT_EQ(110, page.baudRate);
    SelectEntry(page, IDC_DATA_BITS, 0);
    EXPECT_EQ(5, page.dataBits);
    // A change notice without a selection changes nothing.
    SelectEntry(page, IDC_DATA_BITS, -1);
    EXPECT_EQ(5, page.dataBits);
    SelectEntry(page, IDC_PARITY, -1);
    EXPECT_EQ('E', page.parity);
}

// Each serial or parallel pick hides the hint that a USB pick showed (no USB driver installed).
TEST(PortPage, SerialAndParallelPortReactions) {
    ProgramConfig config("setup_receipt.ini", "[QPortModel.PORT]\r\nUSBSUPPORTED=1\r\n");
    UsbScenario noPrinter("");
    UsbDriverFiles noDriver("bulkusb_1_0_0_5.sys", "");
    PageHost host;
    PortPage page(IDD_PORT_PAGE);
    ASSERT_TRUE(host.Open(page));
    page.BuildTypicalPortList("QPortModel", WindowsXP, Receipt);
    ASSERT_EQ("LPT2:", ListTexts(page, IDC_PORT_LIST)[kLpt2]);
    SelectEntry(page, IDC_PORT_LIST, kUsb);
    ASSERT_TRUE(IsShown(page, IDC_USB_HINT));

    SelectEntry(page, IDC_PORT_LIST, kLpt2);
    EXPECT_STREQ("LPT2:", page.portName);
    EXPECT_EQ(0, SerialListsEnabled(page));
    EXPECT_EQ(1, page.gdiDriver);
    EXPECT_TRUE(IsChecked(page, IDC_GDI_DRIVER));
    EXPECT_FALSE(IsShown(page, IDC_USB_HINT));

    SelectEntry(page, IDC_PORT_LIST, kUsb);
    ASSERT_TRUE(IsShown(page, IDC_USB_HINT));
    SelectEntry(page, IDC_PORT_LIST, kTvcom3);
    EXPECT_STREQ("TVCOM3:", page.portName);
    EXPECT_EQ(1, SerialListsEnabled(page));
    EXPECT_EQ(0, page.gdiDriver);
    EXPECT_FALSE(IsChecked(page, IDC_GDI_DRIVER));
    EXPECT_FALSE(IsShown(page, IDC_USB_HINT));
    // Saving the page keeps the flag the reaction set.
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(0, page.gdiDriver);
}
