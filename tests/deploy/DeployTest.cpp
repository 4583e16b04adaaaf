// QelvanDeploy.exe end to end with the real spooler: what it installs, lists and removes, and the exit
// codes a management suite reads.
#include <set>
#include <string>
#include <thread>

#include "resources/ResourceIds.h"
#include "common/RegistryKey.h"
#include "common/TillLog.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/e2e/E2eSupport.h"

namespace {

TEST_F(DeployTest, InstallsListsAndRemovesOnWindowsXp) {
    // The port page's offer for each model; the connected USB printer's port is preselected.
    std::string models = Expect(0, "models");
    EXPECT_TRUE(Says(models,
                     "QR-58\t支持\tTVCOM1: TVCOM2: TVCOM3: TVCOM4: TVCOM5: TVCOM6: TVCOM7: TVCOM8: "
                     "LPT1: LPT2: LPT3: USB_QR-58_1*\r\n"))
        << models;
    EXPECT_TRUE(Says(models, "QT-200\t支持\tTVCOM1: ")) << models;
    EXPECT_TRUE(Says(models, "票据打印机\tQR-58\t")) << models;
    EXPECT_TRUE(Says(models, "\n标签打印机\tQL-40\t支持\t")) << models;
    EXPECT_TRUE(Says(models, " LPT1:* LPT2: LPT3:\r\n")) << models;

    // A USB printer whose number does not fit the second port is renumbered only when allowed.
    std::string refused = Expect(1639, "install /model:QR-58 /advanced /port:USB_QR-58_2");
    EXPECT_TRUE(
        Says(refused,
             "/port：连接着的USB打印机编号为 1，端口 USB_QR-58_2 要的是编号 2；用 /renumber 同意重新编号。"))
        << refused;
    EXPECT_FALSE(Says(refused, "点击")) << refused;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 2").found);
    std::string usb = Expect(0, "install /MODEL:QR-58 /advanced /port:usb_qr-58_2 /renumber");
    EXPECT_TRUE(Says(usb, "正在添加打印机")) << usb;
    EXPECT_TRUE(Says(usb,
                     "安装 QR-58，端口 USB_QR-58_2\r\n正在把USB打印机编号改为 2……\r\n正在安装端口监视器……\r\n"
                     "正在安装打印处理器……\r\n正在复制驱动程序文件……\r\n正在安装打印机驱动程序……\r\n"))
        << usb;
    EXPECT_TRUE(Says(usb, "\r\n打印机：QR-58(U) 2\r\n")) << usb;
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
    EXPECT_TRUE(Says(list, "打印机\t端口\t驱动程序\t打印处理器\t默认\r\n")) << list;
    EXPECT_TRUE(Says(list, "QT-200(P)\tLPT1:\tQelvan QT-200 GDI\tQelvanProc\t*")) << list;
    EXPECT_TRUE(Says(list, "QL-60(S)\tTVCOM2:\tQelvan QL-60\tQelvanProc\t\r\n")) << list;
    EXPECT_TRUE(Says(list, "端口监视器 Qelvan COM Port：已安装版本 3，介质版本 3（最新）")) << list;

    // The driver stays while a second printer uses it; the COM monitor goes with its last printer.
    std::string log = medium / "deploy.log";
    DeleteFileA(TillLogPath().c_str());
    std::string kept = Expect(0, "remove /printer:\"QR-58(U) 2\" /driver /components /log:\"" + log + "\"");
    EXPECT_TRUE(Says(ReadTextFile(log), " 已删除：打印机 QR-58(U) 2\r\n")) << ReadTextFile(log);
    // Every line reaches the till's own log as well.
    EXPECT_TRUE(Says(ReadTextFile(TillLogPath()), " 已删除：打印机 QR-58(U) 2\r\n"))
        << ReadTextFile(TillLogPath());
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
    EXPECT_TRUE(Says(Expect(1639, "remove /printer:QT-200(P)"),
                     "打印机 QT-200(P) 的驱动程序 Qelvan QT-200 GDI 不是安装介质上的，不删除。\r\n"));
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

// A printer of the medium moved onto another medium's USB port: removing it with its components leaves
// that medium's records of the port.
TEST_F(DeployTest, AnotherMediumsUsbRecordsStayWithAPrinterOnItsPort) {
    Expect(0, "install /model:QR-58 /port:USB_QR-58_1 /renumber");
    const char otherPort[] = "USB_ZX-90_1";
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kPortNameKey);
    RegistryKey printerPorts(HKEY_LOCAL_MACHINE, kPrinterPortKey),
        portNames(HKEY_LOCAL_MACHINE, kPortNameKey),
        printer(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\QR-58(U) 1");
    ASSERT_TRUE(printerPorts.SetDword(otherPort, 1) && portNames.SetDword(otherPort, 1));
    ASSERT_TRUE(printer.SetString("Port", otherPort));
    ASSERT_EQ(otherPort, ReadPrinter("QR-58(U) 1").port);
    std::string removed = Expect(0, "remove /printer:\"QR-58(U) 1\" /components");
    DWORD number = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPrinterPortKey, otherPort, number)) << removed;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, otherPort, number)) << removed;
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPrinterPortKey, otherPort);
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortNameKey, otherPort);
}

TEST_F(DeployTest, RefusalsAndTheRunningWizardHaveTheirExitCodes) {
    EXPECT_TRUE(Says(Expect(1639, "install /model:QR-99"),
                     "/model:QR-99：型号 QR-99 不在安装介质的打印机目录中。\r\n"));
    std::string port = Expect(1639, "install /model:QT-200 /port:USB_QT-200_1");
    EXPECT_TRUE(Says(port, "TVCOM1:、")) << port;
    EXPECT_TRUE(
        Says(port, "USB_QT-200_1 不在此型号在本系统上可用的端口中。\r\n可用的端口：TVCOM1:、TVCOM2:、"))
        << port;
    EXPECT_TRUE(Says(Expect(1639, "install /model:QL-60 /port:TVCOM1: /parity:Maybe"), "Maybe"));
    EXPECT_TRUE(Says(Expect(1639, "install /model:QT-200", "win2003"), ResourceText(IDS_NO_SERVER_2003)));
    EXPECT_TRUE(
        Says(Expect(1639, "install /model:QR-58 /colour:red"), "install：不认识的参数 /colour:red\r\n"));
    EXPECT_TRUE(Says(Expect(1639, "remove"), "remove：缺少 /printer:名称|/all\r\n"));  // /printer or /all
    EXPECT_TRUE(
        Says(Expect(1639, "remove /all /printer:QT-200(P)"), "remove：/printer:名称|/all 只能给一个\r\n"));
    EXPECT_TRUE(Says(Expect(1619, "list /medium:C:\\no-such-medium"), "无法进入安装介质目录  er = 2\r\n"));

    // The wizard started under another file name holds another mutex: its caption still stops an install.
    ASSERT_TRUE(CopyFileTo(medium.Exe(), medium / "setup.exe"));
    WizardWalk wizard;
    ASSERT_EQ("", wizard.Start(medium / "setup.exe", "winxp"));
    EXPECT_TRUE(Says(Expect(1618, "install /model:QT-200"),
                     "安装向导或另一个 QelvanDeploy 正在运行，请等它结束后再试。\r\n退出码：1618\r\n"));
    EXPECT_TRUE(MakerPrinters().empty());
}

TEST_F(DeployTest, SwitchesSystemAndMediumAreTakenStrictly) {
    // A flag given a value, a switch given twice, a valued switch without one: refused, and the refused
    // run's lines and exit code stay in the log.
    std::string log = medium / "refused.log";
    EXPECT_TRUE(Says(Expect(1639, "install /model:QT-200 -default:no /log:\"" + log + "\""), "-default:no"));
    EXPECT_TRUE(Says(ReadTextFile(log), " 退出码：1639\r\n")) << ReadTextFile(log);
    EXPECT_TRUE(Says(ReadTextFile(log), " 参数 /default 不带值（写作 /default）：-default:no\r\n"))
        << ReadTextFile(log);
    std::string twice = Expect(1639, "install /model:QL-60 /port:TVCOM2: /port:TVCOM5:");
    EXPECT_TRUE(Says(twice, "/port"));
    EXPECT_TRUE(Says(twice, "参数 /port 只能给一次。\r\n")) << twice;
    EXPECT_TRUE(
        Says(Expect(1639, "install /model:QL-60 /port"), "参数 /port 需要一个值（/port:端口）。\r\n"));
    std::string baud = Expect(1639, "install /model:QL-60 /port:TVCOM2: /baud:14400");
    EXPECT_TRUE(Says(baud, "9600、19200")) << baud;
    EXPECT_TRUE(Says(baud, "/baud:14400：14400 不在端口页的列表中。可用的值：110、300、")) << baud;
    std::string notSerial = Expect(1639, "install /model:QR-58 /baud:9600");
    EXPECT_TRUE(Says(notSerial, "/baud:9600")) << "serial switch, USB port";
    EXPECT_TRUE(Says(notSerial, "端口 USB_QR-58_1 不是串口，/baud:9600 不适用。\r\n")) << notSerial;
    EXPECT_TRUE(Says(Expect(1639, "install /model:QT-200 /advanced"),
                     "型号 QT-200 不提供高级安装模式（多个USB接口）。\r\n"));
    // The command word before the medium; a Windows NT the system page does not know before anything.
    std::string usage = Expect(1639, "bogus /medium:C:\\no-such-medium");
    EXPECT_TRUE(Says(usage, "不认识的命令：bogus\r\n用法：QelvanDeploy 命令 [参数]\r\n  models\r\n"))
        << usage;
    EXPECT_TRUE(Says(usage, "\r\n  /parity:P       串口校验（Even、Mark、None、Odd、Space）\r\n")) << usage;
    EXPECT_TRUE(Says(usage, "1619 无法读取安装介质\r\n退出码：1639\r\n")) << usage;
    // A system it does not know is said in the program's own words: no line asks a person to click.
    for (const char* system : {"win7", "win31"}) {
        std::string refused = Expect(1639, "install /model:QT-200", system);
        EXPECT_TRUE(Says(refused, "本程序不支持当前系统（Windows ")) << refused;
        EXPECT_TRUE(Says(
            refused,
            "）：只在 Windows 98/Me、NT 4.0、2000、XP、Server 2003 和 Vista 上安装，本机未做任何改动。\r\n"))
            << refused;
        EXPECT_FALSE(Says(refused, "点击")) << refused;
    }
    // A log that cannot be opened ends the run before anything changes.
    std::string noLog = Expect(1622, "install /model:QT-200 /log:C:\\no-such-folder\\qelvan.log");
    EXPECT_TRUE(Says(noLog, "C:\\no-such-folder\\qelvan.log")) << noLog;
    EXPECT_TRUE(Says(noLog, "无法打开日志文件 C:\\no-such-folder\\qelvan.log，未做任何改动  er = 3\r\n"))
        << noLog;
    EXPECT_TRUE(MakerDrivers(k9xEnvironment).empty());
    EXPECT_TRUE(MakerPrinters().empty());

    // No USB printer answers: no guess at the serial preselection.
    ASSERT_TRUE(medium.SetUsbPrinters({}));
    std::string noUsb = Expect(1639, "install /model:QR-58");
    EXPECT_TRUE(Says(noUsb, "/port")) << "no USB printer";
    EXPECT_TRUE(Says(noUsb,
                     "没有一台USB打印机应答（未开机、未连接，或USB接口库缺失），端口页不会替你决定端口。\r\n"
                     "请开启并连接USB打印机后再试，或用 /port 指定端口。\r\n可用的端口：TVCOM1:、"))
        << noUsb;
    // A model whose configuration lacks a driver file key is refused by name; a driver file missing
    // from the medium fails the installation, and a line names the file.
    ASSERT_TRUE(medium.ReplaceInFile("DRVCONFIG\\setup_Ticket.ini", "GDIDriverPath=", "GDIDriverPathX="));
    EXPECT_TRUE(
        Says(Expect(1639, "install /model:QT-200"), "[QT-200.XP] GDIDriverPath 缺少或为“0”，不安装。\r\n"));
    ASSERT_TRUE(DeleteFileA((medium / "winnt\\QL60.PPD").c_str()));
    std::string failed = Expect(1603, "install /model:QL-60 /port:TVCOM1:");
    EXPECT_TRUE(Says(failed, "未复制的文件：QL60.PPD")) << failed;
    EXPECT_TRUE(MakerPrinters().empty());
}

TEST_F(DeployTest, RunsAtOnceKeepEveryLineOfTheirLog) {
    // Enough writers at once that two of them meet at the file's end on every run of the test when the
    // lock is not kept.
    constexpr int kRuns = 8;
    std::string log = medium / "shared.log";
    std::string outputs[kRuns];
    std::vector<std::thread> runs;
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    for (std::string& output : outputs) {
        runs.emplace_back([&, this] {
            DWORD exitCode = 0;
            output = RunAndCapture("\"" + (medium / "QelvanDeploy.exe") + "\" models /log:\"" + log + "\"",
                                   exitCode, medium.Path(), 120000);
        });
    }
    for (std::thread& run : runs) run.join();
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    auto lines = [](const std::string& text) {
        size_t count = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
        return count;
    };
    size_t said = 0;
    for (const std::string& output : outputs) said += lines(output);
    std::string written = ReadTextFile(log);
    EXPECT_EQ(said, lines(written)) << written;
    EXPECT_EQ(static_cast<size_t>(kRuns), said / lines(outputs[0]));
    // Every line said is in the log whole, as often as it was said (each after its time and computer).
    auto split = [](const std::string& text, size_t skip) {
        std::multiset<std::string> each;
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            size_t from = at;
            for (size_t spaces = 0; spaces < skip && from < end; ++from) spaces += text[from] == ' ';
            each.insert(text.substr(from, end - from));
        }
        return each;
    };
    std::multiset<std::string> saidLines;
    for (const std::string& output : outputs) {
        for (const std::string& line : split(output, 0)) saidLines.insert(line);
    }
    EXPECT_TRUE(saidLines == split(written, 3)) << written;
}

TEST_F(DeployTest, MediumTooDeepIsRefusedAndOneThatFitsIsReadWhole) {
    TempDir base("qelvan-deep");
    // The common file fits below it, the category files do not.
    std::string tooDeep = MakeDeepDirectory(base.Path(), 240);
    ASSERT_TRUE(CopyFileTo(medium / "DRVCONFIG\\setup.ini", tooDeep + "\\DRVCONFIG\\setup.ini"));
    std::string refused = Expect(1619, "install /model:QT-200 /medium:\"" + tooDeep + "\"");
    EXPECT_TRUE(Says(refused, "安装介质的路径太长：" + tooDeep + " 中的文件路径将超过")) << refused;
    EXPECT_TRUE(MakerPrinters().empty());

    // 175 characters: the category file's path takes 204, more than the readers once had room for.
    std::string deep = MakeDeepDirectory(base.Path(), 175);
    ASSERT_TRUE(WizardDriver::CopyTree(medium.Path(), deep));
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    DWORD exitCode = 0;
    std::string output =
        RunAndCapture("\"" + deep + "\\QelvanDeploy.exe\" install /model:QR-58", exitCode, deep, 120000);
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_EQ("USB_QR-58_1", ReadPrinter("QR-58(U) 1").port) << output;
}

TEST_F(DeployTest, SerialPrinterOnWindows98EndsWithRestartNeeded) {
    std::string output = Expect(3010, "install /model:QR-58 /port:COM2:", "win98");
    EXPECT_TRUE(Says(output, "需要重新启动计算机才能完成安装。\r\n退出码：3010\r\n")) << output;
    EXPECT_EQ("COM2:", ReadPrinter("QR-58(S)").port);
    // Wine's Windows 98 path stores the default attribute without making the printer the default.
    EXPECT_TRUE(Says(Expect(1603, "install /model:QT-200 /default", "win98"),
                     "未能设为默认打印机：系统的默认打印机仍是另一台。\r\n"));
}
}  // namespace

namespace {
TEST_F(DeployTest, RunsConvergeAndATillIsCarriedToOthersInAProfile) {
    // A second install changes nothing but the serial text it asks for, over the settings in force.
    Expect(0, "install /model:QL-60 /port:TVCOM2: /baud:19200 /parity:Even");
    std::string second = Expect(0, "install /model:QL-60 /port:TVCOM2: /flow:Xon/Xoff");
    EXPECT_FALSE(Says(second, "正在添加打印机")) << second;
    EXPECT_EQ("19200,e,8,1,x", ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:"));
    Expect(0, "install /model:QR-58");
    EXPECT_TRUE(
        Says(Expect(0, "install /model:QR-58"),
             "打印机 QR-58(U) 1 已在端口 USB_QR-58_1 上（驱动程序 Qelvan QR-58 GDI），不再安装。\r\n"));
    // An outdated monitor is brought up to the medium's version by the run that keeps the printer; a
    // newer processor is said newer.
    SetVersion(MonitorKey("Qelvan USB Port"), 1);
    SetVersion(ProcessorKey(kNtEnvironment, "QelvanProc"), 9);
    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, "端口监视器 Qelvan USB Port：已安装版本 1，介质版本 2（过旧）")) << list;
    EXPECT_TRUE(Says(list, "打印处理器 QelvanProc：已安装版本 9，介质版本 2（较新）")) << list;
    Expect(0, "install /model:QR-58");
    EXPECT_TRUE(HasVersion(MonitorKey("Qelvan USB Port"), 2));
    Expect(0, "install /model:QT-200 /default");
    // One more, as the wizard would install it: a second printer beside the first, numbered.
    EXPECT_TRUE(Says(Expect(0, "install /model:QT-200 /again"), "打印机：QT-200(P)(1)"));
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    Expect(0, "remove /printer:QT-200(P)(1)");

    std::string profile = medium / "till.ini";
    Expect(0, "export /file:\"" + profile + "\"");
    std::string written = ReadTextFile(profile);
    EXPECT_TRUE(Says(written, "[QelvanProfile]\nPrinters=3\n")) << written;
    EXPECT_TRUE(Says(written,
                     "Model=QL-60\nPort=TVCOM2:\nAdvanced=No\nDefault=No\nBaud=19200\nDataBits=8\n"
                     "Parity=Even\nStopBits=1\nFlow=Xon/Xoff\n"))
        << written;
    EXPECT_TRUE(Says(written, "Model=QT-200\nPort=LPT1:\nAdvanced=No\nDefault=Yes\n")) << written;

    // The till emptied (a printer already gone is no fault), then made to match the profile, twice.
    for (const char* printer : {"QL-60(S)", "\"QR-58(U) 1\"", "QT-200(P)"})
        Expect(0, std::string("remove /driver /components /printer:") + printer);
    EXPECT_TRUE(Says(Expect(0, "remove /printer:QT-200(P)"), "QT-200(P)"));
    ASSERT_TRUE(MakerPrinters().empty());
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:");
    std::string applied = Expect(0, "apply /file:\"" + profile + "\"");
    EXPECT_EQ(3u, MakerPrinters().size()) << applied;
    EXPECT_EQ(0u, DefaultPrinterDevice().find("QT-200(P),"));
    EXPECT_EQ("19200,e,8,1,x", ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:"));
    std::string reapplied = Expect(0, "apply /file:\"" + profile + "\"");
    EXPECT_FALSE(Says(reapplied, "正在")) << reapplied;

    // A profile that names a port the page would not offer changes nothing, even with /exact; a valid
    // one with /exact removes the medium's printer it does not describe, with its driver.
    Expect(0, "install /model:QL-40 /port:LPT2:");
    ASSERT_TRUE(medium.ReplaceInFile("till.ini", "Port=LPT1:", "Port=LPT9:"));
    EXPECT_TRUE(Says(Expect(1639, "apply /exact /file:\"" + profile + "\""), "[Printer3] Port"));
    EXPECT_EQ(4u, MakerPrinters().size());
    ASSERT_TRUE(medium.ReplaceInFile("till.ini", "Port=LPT9:", "Port=LPT1:"));
    EXPECT_TRUE(Says(Expect(0, "apply /exact /file:\"" + profile + "\""), "已删除：打印机 QL-40(P)"));
    EXPECT_EQ(3u, MakerPrinters().size());
    EXPECT_EQ((std::vector<std::string>{"Qelvan QL-60", "Qelvan QR-58 GDI", "Qelvan QT-200 GDI"}),
              MakerDrivers(kNtEnvironment));
    // An empty file is no profile: it never empties a till.
    ASSERT_TRUE(WriteTextFile(profile, ""));
    EXPECT_TRUE(Says(Expect(1639, "apply /exact /file:\"" + profile + "\""),
                     "[QelvanProfile]：缺少文件头节：这不是打印机配置文件"));
    EXPECT_EQ(3u, MakerPrinters().size());
}
}  // namespace

namespace {
// Each fault of a profile is refused before anything changes, naming where it stands in the file.
TEST_F(DeployTest, BrokenProfilesAreRefusedNamingSectionAndKey) {
    const std::string header = "; a till\r\n[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\n";
    const struct {
        const char* entry;
        const char* named;
    } broken[] = {
        {"Model=QT-200\r\nPort=LPT1:\r\nColour=Red\r\n", "[Printer1] Colour：不认识的键"},
        {"Model=QT-200\r\nModel=QT-300\r\nPort=LPT1:\r\n",
         "[Printer1] Model：出现了两次（名称不分大小写），无法确定以哪一处为准"},
        {"Model=QT-200\r\nPort=LPT1:\r\nDefault=Maybe\r\n", "[Printer1] Default：只能是 Yes 或 No"},
        {"Model=QT-200\r\nPort=LPT1:\r\nthis is no entry\r\n", "[Printer1]：无法解读的行：this is no entry"},
        {"Model=QT-200\r\n", "[Printer1] Port：缺少端口"},
        {"Model=QT-200\r\nPort=\r\n", "[Printer1] Port：没有值"},
        {"Port=LPT1:\r\n", "[Printer1] Model：缺少型号"},
        {"Model=QR-99\r\nPort=LPT1:\r\n", "[Printer1] Model"},
        {"Model=QL-60\r\nPort=TVCOM1:\r\nBaud=14400\r\n", "[Printer1] Baud"},
        {"Model=QT-200\r\nPort=LPT1:\r\n[Printer2]\r\nModel=QT-200\r\nPort=LPT2:\r\n",
         "[QelvanProfile] Printers：为 1，但文件中有 2 个打印机节（改动打印机时请同时改这个数）"},
    };
    std::string profile = medium / "broken.ini";
    for (const auto& each : broken) {
        ASSERT_TRUE(WriteTextFile(profile, header + each.entry));
        std::string refused = Expect(1639, "apply /exact /file:\"" + profile + "\"");
        EXPECT_TRUE(Says(refused, each.named)) << each.entry << refused;
    }
    // A count past what a number holds is said as the file writes it.
    ASSERT_TRUE(WriteTextFile(
        profile, "[QelvanProfile]\r\nPrinters=4294967299\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n"));
    std::string huge = Expect(1639, "apply /exact /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(huge, "Printers：为 4294967299，但文件中有 1 个打印机节")) << huge;
    EXPECT_TRUE(MakerPrinters().empty());
}
}  // namespace
