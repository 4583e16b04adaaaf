// The test page sent down the chain an installation built: the printer's driver context (rendered by
// Wine's PostScript driver), the medium's print processor, the port and its monitor, which on the demo
// medium is a simulated printer writing each port's jobs to QelvanPorts\<port>.prn of the Windows
// directory. Two platform details of Wine are set up here, never by the product: the spooler's folder
// for jobs (which wineboot makes) and LPT1: sent to a file through Wine's own spooler key, since Wine's
// local monitor cannot write to a parallel port.
#include <windows.h>
#include <winspool.h>

#include <string>

#include "tests/deploy/DeployFixture.h"

namespace {
const char kWineSpoolerKey[] = "Software\\Wine\\Printing\\Spooler";

std::string UnixPath(std::string path) {
    if (path.size() > 2 && path[1] == ':') path.erase(0, 2);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class TestPageTest : public DeployTest {
protected:
    void SetUp() override {
        CreateDirectoryA((SystemDirectoryPath() + "\\spool\\PRINTERS").c_str(), nullptr);
        RemoveTree(ports);
        RemoveFile(lpt1);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kWineSpoolerKey, &key));
        std::string target = UnixPath(lpt1);
        RegSetValueExA(key, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                       static_cast<DWORD>(target.size() + 1));
        RegCloseKey(key);
    }
    void TearDown() override {
        DeleteRegistryValue(HKEY_CURRENT_USER, kWineSpoolerKey, "LPT1:");
        RemoveTree(ports);
        RemoveFile(lpt1);
    }
    // What arrived at a port of the simulated printer.
    std::string Port(const char* name) const { return ReadTextFile(ports + "\\" + name + ".prn"); }
    // A page of the printer, as Wine's PostScript driver writes it: the queue's document name heads it.
    static size_t Pages(const std::string& arrived, const std::string& printer) {
        return Count(arrived, "%%Title: (Qelvan \\262\\342\\312\\324\\322\\263 - " + printer + ")");
    }

    std::string ports = WindowsDirectoryPath() + "\\QelvanPorts";
    std::string lpt1 = TestDir() + "\\lpt1-testpage.prn";
};

TEST_F(TestPageTest, EachInstalledPrinterPrintsToItsOwnPortOnly) {
    std::string serial = Expect(0, "install /model:QR-58 /port:TVCOM1: /testpage");
    EXPECT_TRUE(Says(serial, "测试页已交给打印机 QR-58(S) 的队列（文档“Qelvan 测试页 - QR-58(S)”）。"))
        << serial;
    std::string usb = Expect(0, "install /model:QR-58 /port:USB_QR-58_1 /testpage");
    Expect(0, "install /model:QT-200 /port:LPT1: /testpage");
    EXPECT_EQ(1u, Pages(Port("TVCOM1"), "QR-58(S)"));
    EXPECT_EQ(0u, Pages(Port("TVCOM1"), "QR-58(U) 1"));
    EXPECT_EQ(1u, Pages(Port("USB_QR-58_1"), "QR-58(U) 1")) << usb;
    EXPECT_EQ(0u, Pages(Port("USB_QR-58_1"), "QR-58(S)"));
    EXPECT_EQ(1u, Pages(ReadTextFile(lpt1), "QT-200(P)"));
    EXPECT_TRUE(Port("LPT1").empty());
    // The page is the printer's: a PostScript page from the printer's own device context.
    EXPECT_EQ(0u, Port("TVCOM1").find("%!PS")) << Port("TVCOM1").substr(0, 200);

    // Installed again, the printer is kept: no page.
    Expect(0, "install /model:QR-58 /port:TVCOM1: /testpage");
    EXPECT_EQ(1u, Pages(Port("TVCOM1"), "QR-58(S)"));

    std::string again = Expect(0, "testpage /printer:qr-58(s)");
    EXPECT_TRUE(Says(again, "正在打印测试页：打印机 QR-58(S)，端口 TVCOM1:……")) << again;
    EXPECT_EQ(2u, Pages(Port("TVCOM1"), "QR-58(S)"));
    EXPECT_EQ(1u, Pages(Port("USB_QR-58_1"), "QR-58(U) 1"));
}

TEST_F(TestPageTest, APortThatRefusesTheJobFailsThePage) {
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    ASSERT_TRUE(WriteTextFile(ports + "\\TVCOM1.fail", "off"));
    std::string failed = Expect(1603, "testpage /printer:QR-58(S)");
    EXPECT_TRUE(Says(failed, "测试页未能交给打印机 QR-58(S)：结束文档失败  er = ")) << failed;
    EXPECT_FALSE(FileExists(ports + "\\TVCOM1.prn"));
    // The failure of the page on install comes after the installation, which stands.
    ASSERT_TRUE(WriteTextFile(ports + "\\TVCOM2.fail", "off"));
    std::string installed = Expect(1603, "install /model:QR-58 /port:TVCOM2: /testpage");
    EXPECT_TRUE(Says(installed, "测试页未能交给打印机 QR-58(S)(1)")) << installed;
    EXPECT_EQ("TVCOM2:", ReadPrinter("QR-58(S)(1)").port) << installed;
}

TEST_F(TestPageTest, APrinterOnAPortNoMonitorServesIsNotSent) {
    Expect(0, "install /model:QR-58 /port:USB_QR-58_1");
    // The USB monitor serves the ports the installation named; this one is no longer among them.
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortNameKey, "USB_QR-58_1");
    std::string failed = Expect(1603, "testpage /printer:\"QR-58(U) 1\"");
    EXPECT_TRUE(Says(failed, "测试页未能交给打印机 QR-58(U) 1：查找端口失败  er = 1796")) << failed;
    EXPECT_FALSE(FileExists(ports + "\\USB_QR-58_1.prn"));
}

TEST_F(TestPageTest, APrinterOfAnotherDriverIsRefused) {
    EXPECT_TRUE(Says(Expect(1639, "testpage /printer:NoSuchPrinter"), "没有名为 NoSuchPrinter 的打印机。"));
    char driverName[] = "Other Maker Driver";
    char file[] = "OTHER.DLL";
    char environment[] = "Windows NT x86";
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pEnvironment = environment;
    driver.pDriverPath = driver.pDataFile = driver.pConfigFile = file;
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)));
    char printerName[] = "Other Printer";
    char port[] = "LPT2:";
    char processor[] = "winprint";
    char datatype[] = "RAW";
    PRINTER_INFO_2A info = {};
    info.pPrinterName = printerName;
    info.pPortName = port;
    info.pDriverName = driverName;
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(nullptr, printer);
    std::string refused = Expect(1639, "testpage /printer:\"Other Printer\"");
    EXPECT_TRUE(
        Says(refused, "打印机 Other Printer 的驱动程序 Other Maker Driver 不是安装介质上的，不打印测试页。"))
        << refused;
    DeletePrinter(printer);
    ClosePrinter(printer);
    DeletePrinterDriverA(nullptr, environment, driverName);
}

TEST_F(TestPageTest, ApplyPrintsOnlyWhereItInstalled) {
    std::string profile = medium / "till.ini";
    ASSERT_TRUE(WriteTextFile(
        profile, "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM3:\r\n"));
    Expect(0, "apply /testpage /file:\"" + profile + "\"");
    EXPECT_EQ(1u, Pages(Port("TVCOM3"), "QR-58(S)"));
    // The printer is kept at the next log-on: no page.
    Expect(0, "apply /testpage /file:\"" + profile + "\"");
    EXPECT_EQ(1u, Pages(Port("TVCOM3"), "QR-58(S)"));
}
}  // namespace
