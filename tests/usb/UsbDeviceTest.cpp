#include "usb/UsbDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/support/MessageBoxWatcher.h"
#include "common/ResourceText.h"
#include "tests/usb/UsbTestFixtures.h"

namespace {
typedef std::vector<std::string> Calls;

// The stand-in gives the printer at index i the handle 0x100 + i.
int HandleOf(int index) {
    return 0x100 + index;
}

std::string Open(int index, int result) {
    return "OpenDeviceX(" + std::to_string(index) + ") = " + std::to_string(result);
}
std::string Close(int handle) {
    return "CloseDevice(" + std::to_string(handle) + ")";
}

// Indices 0..last opened, each result closed: the pass that counts the printers.
void CountPass(Calls& calls, int last, const std::vector<int>& printers, int noDevice = 0) {
    for (int index = 0; index <= last; ++index) {
        bool present = false;
        for (int printer : printers) present = present || printer == index;
        int result = present ? HandleOf(index) : noDevice;
        calls.push_back(Open(index, result));
        calls.push_back(Close(result));
    }
}

// Indices 0..last opened without closing: the pass that looks for the printer.
void OpenPass(Calls& calls, int last, int printer, int noDevice = 0) {
    for (int index = 0; index <= last; ++index)
        calls.push_back(Open(index, index == printer ? HandleOf(index) : noDevice));
}
}  // namespace

TEST(UsbDevice, ReadsTheDeviceIdOfTheOnePrinter) {
    UsbScenario scenario("[Printer3]\nbcdDevice=0x0102\n");
    MessageBoxWatcher watcher;
    EXPECT_EQ(258, GetUsbDeviceId());
    Calls expected{"load"};
    CountPass(expected, 7, {3});
    OpenPass(expected, 3, 3);
    expected.push_back("GetDescriptor(259) = 1");
    expected.push_back(Close(259));
    expected.push_back("unload");
    EXPECT_EQ(expected, scenario.Calls());
    EXPECT_TRUE(watcher.Texts().empty());
    EXPECT_EQ(3, UsbPortNumber(258));
}

TEST(UsbDevice, ReadsTheWholeSixteenBitId) {
    UsbScenario scenario("[Printer0]\nbcdDevice=0xFFFF\n");
    EXPECT_EQ(65535, GetUsbDeviceId());
}

TEST(UsbDevice, RefusesTwoPrintersWithoutReadingADescriptor) {
    UsbScenario scenario("[Printer0]\nbcdDevice=1\n[Printer5]\nbcdDevice=2\n");
    MessageBoxWatcher watcher;
    EXPECT_EQ(TooManyUsbDevices, GetUsbDeviceId());
    Calls expected{"load"};
    CountPass(expected, 5, {0, 5});
    expected.push_back("unload");
    EXPECT_EQ(expected, scenario.Calls());
    auto shown = watcher.Messages();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(ResourceText(IDS_ONE_PRINTER_ONLY), shown[0].text);
    EXPECT_EQ("安装过程中，请仅连接一台打印机", shown[0].text);
    EXPECT_EQ("usb_tests", shown[0].caption);
}

TEST(UsbDevice, NoPrinterIsReportedQuietly) {
    for (int noDevice : {0, -1}) {
        UsbScenario scenario("[Library]\nNoDevice=" + std::to_string(noDevice) + "\n");
        MessageBoxWatcher watcher;
        EXPECT_EQ(NoUsbDevice, GetUsbDeviceId());
        Calls expected{"load"};
        CountPass(expected, 7, {}, noDevice);
        OpenPass(expected, 7, -1, noDevice);
        expected.push_back("unload");
        EXPECT_EQ(expected, scenario.Calls()) << "no printer answers with " << noDevice;
        EXPECT_TRUE(watcher.Texts().empty());
    }
}

TEST(UsbDevice, DescriptorFailureIsReportedAndTheDeviceClosed) {
    UsbScenario scenario("[Printer6]\nbcdDevice=7\nGetDescriptor=fail\n");
    MessageBoxWatcher watcher;
    EXPECT_EQ(NoUsbDevice, GetUsbDeviceId());
    Calls calls = scenario.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ("GetDescriptor(262) = 0", calls[calls.size() - 3]);
    EXPECT_EQ(Close(262), calls[calls.size() - 2]);
    EXPECT_EQ("unload", calls.back());
    EXPECT_EQ(std::vector<std::string>{"获取设备ID时出错！"}, watcher.Texts());
}

TEST(UsbDevice, ChangeIdSendsTheTenByteCommand) {
    UsbScenario scenario("[Printer2]\nbcdDevice=0\n");
    MessageBoxWatcher watcher;
    EXPECT_TRUE(ChangeUsbDeviceId(3));
    Calls expected{"load"};
    OpenPass(expected, 2, 2);
    expected.push_back("uWrite(258, 0, 1B 73 51 56 49 44 1D 49 20 02, 10) = 10");
    expected.push_back(Close(258));
    expected.push_back("unload");
    EXPECT_EQ(expected, scenario.Calls());
    EXPECT_TRUE(watcher.Texts().empty());
}

TEST(UsbDevice, ChangeIdCarriesTheNumberMinusOne) {
    UsbScenario scenario("[Printer0]\nbcdDevice=0\n");
    EXPECT_TRUE(ChangeUsbDeviceId(1));
    EXPECT_TRUE(ChangeUsbDeviceId(8));
    Calls calls = scenario.Calls();
    ASSERT_EQ(10u, calls.size());
    EXPECT_EQ("uWrite(256, 0, 1B 73 51 56 49 44 1D 49 20 00, 10) = 10", calls[2]);
    EXPECT_EQ("uWrite(256, 0, 1B 73 51 56 49 44 1D 49 20 07, 10) = 10", calls[7]);
}

TEST(UsbDevice, ChangeIdRefusesNumbersOutsideOneToEightWithoutLoading) {
    UsbScenario scenario("[Printer0]\nbcdDevice=0\n");
    MessageBoxWatcher watcher;
    EXPECT_FALSE(ChangeUsbDeviceId(0));
    EXPECT_FALSE(ChangeUsbDeviceId(9));
    EXPECT_FALSE(ChangeUsbDeviceId(255));
    EXPECT_TRUE(scenario.Calls().empty());
    EXPECT_TRUE(watcher.Texts().empty());
}

TEST(UsbDevice, ChangeIdReportsAMissingPrinterAndAFailedWrite) {
    {
        UsbScenario scenario("[Library]\nNoDevice=-1\n");
        MessageBoxWatcher watcher;
        EXPECT_FALSE(ChangeUsbDeviceId(2));
        Calls expected{"load"};
        OpenPass(expected, 7, -1, -1);
        expected.push_back("unload");
        EXPECT_EQ(expected, scenario.Calls());
        EXPECT_EQ(std::vector<std::string>{"找不到USB设备！"}, watcher.Texts());
    }
    {
        UsbScenario scenario("[Printer1]\nbcdDevice=0\nuWrite=fail\n");
        MessageBoxWatcher watcher;
        EXPECT_FALSE(ChangeUsbDeviceId(2));
        Calls expected{"load"};
        OpenPass(expected, 1, 1);
        expected.push_back("uWrite(257, 0, 1B 73 51 56 49 44 1D 49 20 01, 10) = 0");
        expected.push_back(Close(257));
        expected.push_back("unload");
        EXPECT_EQ(expected, scenario.Calls());
        EXPECT_EQ(std::vector<std::string>{"更改USB设备ID出错！"}, watcher.Texts());
    }
}

TEST(UsbDevice, LibraryWithoutGetDescriptorStillChangesTheId) {
    UsbScenario scenario("[Printer4]\nbcdDevice=9\n");
    LibraryVariant variant("TvUsbInt_noGetDescriptor.dll");
    ASSERT_TRUE(variant.Ready());
    MessageBoxWatcher watcher;
    EXPECT_EQ(NoUsbDevice, GetUsbDeviceId());
    EXPECT_EQ((Calls{"load", "unload"}), scenario.Calls());
    EXPECT_EQ(std::vector<std::string>{"获取函数GetDescriptor地址失败！"}, watcher.Texts());
    EXPECT_TRUE(ChangeUsbDeviceId(5));
    Calls calls = scenario.Calls();
    ASSERT_EQ(11u, calls.size());
    EXPECT_EQ("uWrite(260, 0, 1B 73 51 56 49 44 1D 49 20 04, 10) = 10", calls[8]);
    EXPECT_EQ(1u, watcher.Texts().size());
}

TEST(UsbDevice, EachMissingEntryPointIsNamed) {
    UsbScenario scenario("[Printer0]\nbcdDevice=0\n");
    struct Case {
        const char* variant;
        const char* idMessage;      // from GetUsbDeviceId; null when it works
        const char* changeMessage;  // from ChangeUsbDeviceId; null when it works
    };
    const Case cases[] = {
        {"TvUsbInt_noOpenDeviceX.dll", "获取函数OpenDeviceX地址失败！", "获取函数OpenDeviceX地址失败！"},
        {"TvUsbInt_nouWrite.dll", nullptr, "获取函数uWrite地址失败！"},
        {"TvUsbInt_noCloseDevice.dll", "获取函数CloseDevice地址失败！", "获取函数CloseDevice地址失败！"},
    };
    for (const Case& c : cases) {
        LibraryVariant variant(c.variant);
        ASSERT_TRUE(variant.Ready()) << c.variant;
        MessageBoxWatcher watcher;
        EXPECT_EQ(c.idMessage ? NoUsbDevice : 0, GetUsbDeviceId()) << c.variant;
        EXPECT_EQ(c.changeMessage == nullptr, ChangeUsbDeviceId(1)) << c.variant;
        std::vector<std::string> expected;
        if (c.idMessage) expected.push_back(c.idMessage);
        if (c.changeMessage) expected.push_back(c.changeMessage);
        EXPECT_EQ(expected, watcher.Texts()) << c.variant;
    }
}

TEST(UsbDevice, MissingLibraryIsReported) {
    UsbScenario scenario("[Printer0]\nbcdDevice=0\n");
    LibraryVariant variant("");
    ASSERT_TRUE(variant.Ready());
    MessageBoxWatcher watcher;
    EXPECT_EQ(NoUsbDevice, GetUsbDeviceId());
    EXPECT_FALSE(ChangeUsbDeviceId(1));
    EXPECT_EQ((std::vector<std::string>{"无法加载 TvUsbInt.dll文件！", "无法加载 TvUsbInt.dll文件！"}),
              watcher.Texts());
    EXPECT_TRUE(scenario.Calls().empty());
}

TEST(UsbDevice, PortNumberIsTheRemainderPlusOne) {
    EXPECT_EQ(1, UsbPortNumber(0));
    EXPECT_EQ(8, UsbPortNumber(7));
    EXPECT_EQ(1, UsbPortNumber(8));
    EXPECT_EQ(2, UsbPortNumber(9));
    EXPECT_EQ(8, UsbPortNumber(65535));
    // The remainder keeps the sign, so the two failure results match no port.
    EXPECT_EQ(0, UsbPortNumber(NoUsbDevice));
    EXPECT_EQ(-1, UsbPortNumber(TooManyUsbDevices));
}
