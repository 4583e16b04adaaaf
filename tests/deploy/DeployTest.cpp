// QelvanDeploy.exe end to end with the real spooler: what it installs, lists and removes, and the exit
// codes a management suite reads.
#include <string>

#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"

namespace {
class DeployTest : public ::testing::Test {
protected:
    // Runs the medium copy's QelvanDeploy.exe on the Windows version given; output and exit code.
    std::string Deploy(const std::string& arguments, DWORD& exitCode, const char* windowsVersion = "winxp") {
        SetWindowsVersionFor("QelvanDeploy.exe", windowsVersion);
        std::string output = RunAndCapture("\"" + (medium / "QelvanDeploy.exe") + "\" " + arguments, exitCode,
                                           medium.Path(), 120000);
        SetWindowsVersionFor("QelvanDeploy.exe", "");
        return output;
    }
    // Runs it and expects the exit code; the output for further checks.
    std::string Expect(DWORD expected, const std::string& arguments, const char* windowsVersion = "winxp") {
        DWORD exitCode = 0;
        std::string output = Deploy(arguments, exitCode, windowsVersion);
        EXPECT_EQ(expected, exitCode) << arguments << "\n" << output;
        return output;
    }
    // A text of several lines is said line by line, each line ended with "\r\n": line ends are compared
    // without their "\r".
    static bool Says(std::string output, std::string text) {
        for (std::string* each : {&output, &text}) {
            for (size_t at = each->find('\r'); at != std::string::npos; at = each->find('\r', at))
                each->erase(at, 1);
        }
        return output.find(text) != std::string::npos;
    }

    InstallationCleanup cleanup;
    MediumCopy medium;
};

TEST_F(DeployTest, InstallsListsAndRemovesOnWindowsXp) {
    // The port page's offer for each model; the connected USB printer's port is preselected.
    std::string models = Expect(0, "models");
    EXPECT_TRUE(Says(models,
                     "QR-58\t支持\tTVCOM1: TVCOM2: TVCOM3: TVCOM4: TVCOM5: TVCOM6: TVCOM7: TVCOM8: "
                     "LPT1: LPT2: LPT3: USB_QR-58_1*\r\n"))
        << models;
    EXPECT_TRUE(Says(models, "QT-200\t支持\tTVCOM1: ")) << models;
    EXPECT_TRUE(Says(models, " LPT1:* LPT2: LPT3:\r\n")) << models;

    // A USB printer whose number does not fit the second port is renumbered only when allowed.
    std::string refused = Expect(1639, "install /model:QR-58 /advanced /port:USB_QR-58_2");
    EXPECT_TRUE(Says(refused, ResourceText(IDS_RENUMBER_QUESTION))) << refused;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 2").found);
    std::string usb = Expect(0, "install /MODEL:QR-58 /advanced /port:usb_qr-58_2 /renumber");
    EXPECT_TRUE(Says(usb, "正在添加打印机")) << usb;
    EXPECT_TRUE(Says(usb, ResourceText(IDS_INSTALL_SUCCEEDED_RESET))) << usb;
    EXPECT_EQ("USB_QR-58_2", ReadPrinter("QR-58(U) 2").port);
    // Typical mode: the one USB port, preselected for the connected printer.
    Expect(0, "install /model:QR-58");
    EXPECT_EQ("Qelvan QR-58 GDI", ReadPrinter("QR-58(U) 1").driver);

    // A serial printer with the port page's texts, and a parallel one as the default printer.
    Expect(0,
           "install /model:QL-60 /port:TVCOM2: /baud:19200 /databits:7 /parity:Even /stopbits:1.5 "
           "/flow:Xon/Xoff");
    EXPECT_EQ("19200,e,7,1.5,x", ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:"));
    EXPECT_EQ("Qelvan QL-60", ReadPrinter("QL-60(S)").driver);
    Expect(0, "install /model:QT-200 /default");
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    EXPECT_EQ(0u, DefaultPrinterDevice().find("QT-200(P),"));

    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, "QT-200(P)\tLPT1:\tQelvan QT-200 GDI\tQelvanProc\t*")) << list;
    EXPECT_TRUE(Says(list, "QL-60(S)\tTVCOM2:\tQelvan QL-60\tQelvanProc\t\r\n")) << list;
    EXPECT_TRUE(Says(list, "端口监视器 Qelvan COM Port：已安装版本 3，介质版本 3（最新）")) << list;

    // The driver stays while a second printer uses it; the COM monitor goes with its last printer.
    std::string log = medium / "deploy.log";
    std::string kept = Expect(0, "remove /printer:\"QR-58(U) 2\" /driver /components /log:\"" + log + "\"");
    EXPECT_TRUE(Says(ReadTextFile(log), " 已删除：打印机 QR-58(U) 2\r\n")) << ReadTextFile(log);
    EXPECT_TRUE(Says(kept, "保留：驱动程序 Qelvan QR-58 GDI（打印机 QR-58(U) 1 仍在使用）")) << kept;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 2").found);
    DWORD number = 0;
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, "USB_QR-58_2", number));
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, "USB_QR-58_2", number));
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, "USB_QR-58_1", number));
    Expect(0, "remove /printer:QL-60(S) /driver /components");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan COM Port")));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan USB Port")));
    // Without /driver the driver stays registered.
    Expect(0, "remove /printer:QT-200(P)");
    EXPECT_EQ((std::vector<std::string>{"Qelvan QR-58 GDI", "Qelvan QT-200 GDI"}),
              MakerDrivers(kNtEnvironment));
    // The last printer that uses the print processor takes its registration along.
    Expect(0, "remove /printer:\"QR-58(U) 1\" /components");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(kNtEnvironment, "QelvanProc")));

    // A printer whose driver the medium does not name is not the medium's to remove.
    Expect(0, "install /model:QT-200");
    ASSERT_TRUE(medium.ReplaceInFile("DRVCONFIG\\setup_Ticket.ini", "Qelvan QT-200", "Qelvan QT-300"));
    Expect(1639, "remove /printer:QT-200(P)");
    EXPECT_TRUE(ReadPrinter("QT-200(P)").found);
}

TEST_F(DeployTest, AliasedUsbPortLosesTheRecordUnderItsFullName) {
    // A model whose USB port the installation shortens: the printer uses "USB_KRP-C3_1", the engine
    // records the port under its full name "USB_KRP-C3S_1" too.
    ASSERT_TRUE(
        medium.ReplaceInFile("DRVCONFIG\\setup.ini", "KRP-C3-ReceiptPrinter", "KRP-C3S-ReceiptPrinter"));
    ASSERT_TRUE(medium.ReplaceInFile("DRVCONFIG\\setup_receipt.ini", "[KRP-C3.", "[KRP-C3S."));
    Expect(0, "install /model:KRP-C3S /port:USB_KRP-C3S_1 /renumber");
    EXPECT_EQ("USB_KRP-C3_1", ReadPrinter("KRP-C3S(U) 1").port);
    DWORD number = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, "USB_KRP-C3S_1", number));
    std::string removed = Expect(0, "remove /printer:\"KRP-C3S(U) 1\" /components");
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, "USB_KRP-C3S_1", number)) << removed;
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, "USB_KRP-C3_1", number)) << removed;
}

TEST_F(DeployTest, RefusalsAndTheRunningWizardHaveTheirExitCodes) {
    EXPECT_TRUE(Says(Expect(1639, "install /model:QR-99"), "QR-99"));
    std::string port = Expect(1639, "install /model:QT-200 /port:USB_QT-200_1");
    EXPECT_TRUE(Says(port, "TVCOM1:、")) << port;
    EXPECT_TRUE(Says(Expect(1639, "install /model:QL-60 /port:TVCOM1: /parity:Maybe"), "Maybe"));
    EXPECT_TRUE(Says(Expect(1639, "install /model:QT-200", "win2003"), ResourceText(IDS_NO_SERVER_2003)));
    Expect(1639, "install /model:QR-58 /colour:red");
    Expect(1639, "remove");  // /printer or /all
    Expect(1639, "remove /all /printer:QT-200(P)");
    Expect(1619, "list /medium:C:\\no-such-medium");

    WizardWalk wizard;
    ASSERT_EQ("", wizard.Start(medium.Exe(), "winxp"));
    Expect(1618, "install /model:QT-200");
    EXPECT_TRUE(MakerPrinters().empty());
}

TEST_F(DeployTest, SerialPrinterOnWindows98EndsWithRestartNeeded) {
    std::string output = Expect(3010, "install /model:QR-58 /port:COM2:", "win98");
    EXPECT_TRUE(Says(output, "需要重新启动计算机")) << output;
    EXPECT_EQ("COM2:", ReadPrinter("QR-58(S)").port);
}
}  // namespace
