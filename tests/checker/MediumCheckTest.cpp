// The medium checker on the demo medium and on copies of it with one fault each: the line it reports,
// with the file, section and key, and its exit code (1 with an error, 0 with warnings only).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/checker/BrokenMedium.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WizardDriver.h"

namespace {
const char kCommon[] = "DRVCONFIG\\setup.ini";
const char kReceipt[] = "DRVCONFIG\\setup_receipt.ini";
const char kLabel[] = "DRVCONFIG\\setup_Lable.ini";

// Checks that the run reported the line and ended with the exit code.
void ExpectReport(const CheckerRun& run, const std::string& line, DWORD exitCode) {
    EXPECT_TRUE(run.HasLine(line)) << "missing: " << line << "\nreport:\n" << run.output;
    EXPECT_EQ(exitCode, run.exitCode) << run.output;
}
}  // namespace

TEST(MediumCheck, DemoMediumHasNoErrors) {
    CheckerRun inDirectory = RunCheckerIn(WizardDriver::BuiltMedium());
    EXPECT_EQ(0u, inDirectory.exitCode) << inDirectory.output;
    EXPECT_EQ(std::string::npos, inDirectory.output.find("错误：")) << inDirectory.output;
    // The demo's QL-60 suggests 14400, which the port page does not offer.
    ExpectReport(
        inDirectory,
        "警告：DRVCONFIG\\setup_Lable.ini [QL-60.PORT] BaudRate：端口页的列表中没有 14400，将显示 38400", 0);
    EXPECT_TRUE(inDirectory.HasLine("检查完毕：0 个错误，2 个警告。")) << inDirectory.output;

    BrokenMedium copy;
    ASSERT_TRUE(copy.Copied());
    EXPECT_EQ(inDirectory.output, copy.Check().output);
}

TEST(MediumCheck, CatalogueFaults) {
    BrokenMedium noSuffix;
    noSuffix.SetKey(kCommon, "DEVICENAME", "DEVICENAME3", "KRP-C3-receiptPrinter");
    CheckerRun run = noSuffix.Check();
    ExpectReport(
        run,
        "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME3：“KRP-C3-receiptPrinter”没有已知的类别后缀"
        "（-ReceiptPrinter、-TicketPrinter、-LabelPrinter、-EmbeddedPrinter），打印机页不会显示它",
        1);
    EXPECT_TRUE(run.HasLine("检查完毕：1 个错误，2 个警告。")) << run.output;

    BrokenMedium duplicate;
    duplicate.SetKey(kCommon, "DEVICENAME", "DEVICENAME5", "qr-58-TicketPrinter");
    ExpectReport(duplicate.Check(),
                 "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME5：型号“qr-58”与 DEVICENAME1 重复", 1);

    BrokenMedium missingEntry;
    missingEntry.SetKey(kCommon, "DEVICENAME", "DEVICENAME8", nullptr);
    ExpectReport(missingEntry.Check(),
                 "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME8：条目缺少，打印机页不会显示第 8 个型号",
                 1);

    BrokenMedium defaultEntry;
    defaultEntry.SetKey(kCommon, "DEVICENAME", "DEFAULTNAME", "9");
    ExpectReport(defaultEntry.Check(),
                 "警告：DRVCONFIG\\setup.ini [DEVICENAME] DEFAULTNAME：9 不是有效的型号条目（1 到 "
                 "8），打印机页不会预选型号",
                 0);

    BrokenMedium countTooSmall;
    countTooSmall.SetKey(kCommon, "DEVICENAME", "DEVICENUMBER", "7");
    ExpectReport(
        countTooSmall.Check(),
        "警告：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME8：条目超出 DEVICENUMBER=7，打印机页不会显示它",
        0);

    // A damaged count: reported, read up to the limit, and the missing entries told as one run.
    BrokenMedium hugeCount;
    hugeCount.SetKey(kCommon, "DEVICENAME", "DEVICENUMBER", "2147483647");
    run = hugeCount.Check();
    ExpectReport(run,
                 "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENUMBER：2147483647 超出 1000 "
                 "个条目的上限，打印机页只读前 1000 个条目",
                 1);
    ExpectReport(
        run,
        "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME9 … DEVICENAME1000：条目缺少，打印机页不会显示第 "
        "9 到第 1000 个型号",
        1);

    BrokenMedium nestedName;
    nestedName.SetKey(kCommon, "DEVICENAME", "DEVICENAME3", "..\\..\\evil-ReceiptPrinter");
    ExpectReport(nestedName.Check(),
                 "错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME3：型号“..\\..\\evil”含“\\”或“,”，"
                 "系统不接受这样的打印机名，安装会失败",
                 1);
}

// An entry longer than the reader's 200 bytes loses its suffix, so no model name can outgrow the
// section and port names built from it.
TEST(MediumCheck, OverlongEntryLosesItsSuffix) {
    BrokenMedium medium;
    std::string model(190, 'Q');
    medium.SetKey(kCommon, "DEVICENAME", "DEVICENAME1", (model + "-ReceiptPrinter").c_str());
    CheckerRun run = medium.Check();
    EXPECT_NE(std::string::npos,
              run.output.find("错误：DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME1：“" + model))
        << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("型号名称过长")) << run.output;
    EXPECT_EQ(1u, run.exitCode);
}

TEST(MediumCheck, MissingFilesAndSections) {
    BrokenMedium categoryFile;
    categoryFile.RemoveFile(kLabel);
    ExpectReport(categoryFile.Check(), "错误：DRVCONFIG\\setup_Lable.ini：文件不存在，该类别的型号都无法安装",
                 1);

    BrokenMedium portSection;
    portSection.RemoveSection(kReceipt, "QR-80.PORT");
    ExpectReport(
        portSection.Check(),
        "错误：DRVCONFIG\\setup_receipt.ini [QR-80.PORT]：节不存在：向导不提供 USB 端口和高级安装，并拒绝 "
        "Server 2003 和 Vista",
        1);

    BrokenMedium descriptorSection;
    descriptorSection.RemoveSection(kReceipt, "QR-80.2003");
    ExpectReport(descriptorSection.Check(),
                 "错误：DRVCONFIG\\setup_receipt.ini [QR-80.2003]：节不存在，安装时读不到驱动的任何键", 1);

    // A flag claiming Vista for a model without Vista descriptors.
    BrokenMedium vistaFlag;
    vistaFlag.SetKey(kLabel, "QL-40.PORT", "SystemVistaSupported", "1");
    ExpectReport(vistaFlag.Check(),
                 "错误：DRVCONFIG\\setup_Lable.ini [QL-40.Vista]：节不存在，安装时读不到驱动的任何键", 1);

    // Descriptors the flag never lets the wizard use.
    BrokenMedium unusedSection;
    unusedSection.SetKey(kReceipt, "QR-58.PORT", "System2003Supported", "O");
    ExpectReport(
        unusedSection.Check(),
        "警告：DRVCONFIG\\setup_receipt.ini [QR-58.PORT] System2003Supported：为 0，向导拒绝该系统，但节 "
        "[QR-58.2003] 存在",
        0);
}

TEST(MediumCheck, DriverKeysAndFiles) {
    BrokenMedium missingKey;
    missingKey.SetKey(kReceipt, "QR-58.XP", "STDHelpFile", nullptr);
    ExpectReport(missingKey.Check(), "错误：DRVCONFIG\\setup_receipt.ini [QR-58.XP] STDHelpFile：缺少或为“0”",
                 1);

    BrokenMedium emptyName;
    emptyName.SetKey(kReceipt, "QR-58.2K", "GDIDriverName", "");
    ExpectReport(emptyName.Check(), "错误：DRVCONFIG\\setup_receipt.ini [QR-58.2K] GDIDriverName：值为空", 1);

    BrokenMedium absentFile;
    absentFile.RemoveFile("win2003\\QVSTD.HLP");
    ExpectReport(
        absentFile.Check(),
        "错误：DRVCONFIG\\setup_receipt.ini [QR-58.2003] STDHelpFile：文件 win2003\\QVSTD.HLP 不存在", 1);

    BrokenMedium notBare;
    notBare.SetKey(kReceipt, "KRP-C3.Vista", "GDIDataFile", "..\\KRPC3.GPD");
    ExpectReport(
        notBare.Check(),
        "错误：DRVCONFIG\\setup_receipt.ini [KRP-C3.Vista] GDIDataFile：“..\\KRPC3.GPD”不是单纯的文件名", 1);

    BrokenMedium nestedDriver;
    nestedDriver.SetKey(kReceipt, "QR-58.XP", "GDIDriverName", "C:\\x");
    ExpectReport(nestedDriver.Check(),
                 "错误：DRVCONFIG\\setup_receipt.ini [QR-58.XP] GDIDriverName：“C:\\x”含“\\”，"
                 "系统不接受这样的驱动名，安装会失败",
                 1);

    // A device name always "exists", but no copy takes it from the medium.
    BrokenMedium deviceFile;
    deviceFile.SetKey(kReceipt, "QR-58.XP", "STDHelpFile", "nul.hlp");
    ExpectReport(deviceFile.Check(),
                 "错误：DRVCONFIG\\setup_receipt.ini [QR-58.XP] STDHelpFile：“nul.hlp”是设备名，不是文件", 1);

    // A named optional file is as necessary as a required one.
    BrokenMedium optionalFile;
    optionalFile.SetKey(kReceipt, "QR-58.98", "GDIDataOemuniini", "QVOEM2.INI");
    ExpectReport(
        optionalFile.Check(),
        "错误：DRVCONFIG\\setup_receipt.ini [QR-58.98] GDIDataOemuniini：文件 win98\\QVOEM2.INI 不存在", 1);

    BrokenMedium ddk;
    ddk.SetKey(kLabel, "QL-60.XP", "GDIDataFileDLLName", "0");
    ExpectReport(ddk.Check(),
                 "错误：DRVCONFIG\\setup_Lable.ini [QL-60.XP] GDIDataFileDLLName：GDI2KDDKDEV 为 1（基于 DDK "
                 "的驱动），但没有附加文件",
                 1);

    BrokenMedium ddkBase;
    ddkBase.RemoveFile("Vista\\UNIRES.DLL");
    ExpectReport(ddkBase.Check(),
                 "警告：DRVCONFIG\\setup_Lable.ini [QL-60.Vista] GDI2KDDKDEV：基于 DDK 的驱动需要 "
                 "Vista\\UNIRES.DLL，介质上没有",
                 0);
}

TEST(MediumCheck, ProcessorAndMonitors) {
    BrokenMedium systemProcessor;
    systemProcessor.SetKey(kReceipt, "QR-80.NT", "STDPrintProcessor", "winprint");
    ExpectReport(systemProcessor.Check(),
                 "错误：DRVCONFIG\\setup_receipt.ini [QR-80.NT] "
                 "STDPrintProcessor：系统自带的打印处理器须写作“WinPrint”，"
                 "否则安装程序会试图重新安装它而失败",
                 1);

    BrokenMedium processorFile;
    processorFile.RemoveFile("winnt\\qvproc.dll");
    ExpectReport(
        processorFile.Check(),
        "错误：DRVCONFIG\\setup_receipt.ini [QR-58.NT] STDProcessorDLLName：文件 winnt\\qvproc.dll 不存在",
        1);

    BrokenMedium monitorSection;
    monitorSection.RemoveSection(kCommon, "COMMON-MONITOR.XP");
    ExpectReport(monitorSection.Check(),
                 "错误：DRVCONFIG\\setup.ini [COMMON-MONITOR.XP]：节不存在，安装端口监视器会失败", 1);

    // The USB monitor is needed from Windows 2000 on and on 98/Me, never on NT 4.0.
    BrokenMedium usbMonitor;
    usbMonitor.RemoveFile("winnt\\qvusbmon.dll");
    CheckerRun run = usbMonitor.Check();
    ExpectReport(
        run,
        "错误：DRVCONFIG\\setup.ini [COMMON-MONITOR.2K] USBMONitorPDLLName：文件 winnt\\qvusbmon.dll 不存在",
        1);
    EXPECT_EQ(std::string::npos, run.output.find("[COMMON-MONITOR.NT] USBMONitorPDLLName")) << run.output;

    BrokenMedium monitorName;
    monitorName.SetKey(kCommon, "COMMON-MONITOR.Vista", "COMMONitorPName", nullptr);
    ExpectReport(monitorName.Check(),
                 "错误：DRVCONFIG\\setup.ini [COMMON-MONITOR.Vista] "
                 "COMMONitorPName：缺少或为“0”，安装端口监视器会失败",
                 1);

    BrokenMedium iconLibrary;
    iconLibrary.RemoveFile("win98\\ICONLIB.DLL");
    ExpectReport(iconLibrary.Check(),
                 "错误：win98\\ICONLIB.DLL：文件不存在，Windows 98/Me 上的安装会报告复制错误", 1);
}

TEST(MediumCheck, FilesTheWizardOpensItself) {
    BrokenMedium licence;
    licence.RemoveFile("License.txt");
    ExpectReport(licence.Check(), "错误：License.txt：文件不存在，向导无法启动", 1);

    BrokenMedium banner;
    banner.RemoveFile("DRVCONFIG\\Left.bmp");
    ExpectReport(banner.Check(), "错误：DRVCONFIG\\Left.bmp：文件不存在，向导无法启动", 1);

    BrokenMedium usbDriver;
    usbDriver.RemoveFile("USBDRV\\bulkusb.sys");
    ExpectReport(usbDriver.Check(),
                 "警告：USBDRV\\bulkusb.sys：文件不存在，端口页不会提示安装或升级 USB 设备驱动", 0);
}

// Without the programs beside it the wizard still installs printers, but registers no entry in the list
// of installed programs: a warning for each program, and the medium still passes.
TEST(MediumCheck, MediumWithoutCompanionPrograms) {
    BrokenMedium medium;
    medium.RemoveFile("Drovix.exe");
    medium.RemoveFile("QelvanDeploy.exe");
    CheckerRun run = medium.Check();
    ExpectReport(
        run,
        "警告：Drovix.exe：文件不存在，装好打印机后不会登记到“添加或删除程序”，无法从那里删除打印机；"
        "介质上也没有删除窗口",
        0);
    ExpectReport(run,
                 "警告：QelvanDeploy.exe：文件不存在，装好打印机后不会登记到“添加或删除程序”，"
                 "无法从那里删除打印机；也无法不提问地安装或删除打印机",
                 0);
    EXPECT_TRUE(run.HasLine("检查完毕：0 个错误，4 个警告。")) << run.output;

    // Either program missing costs the entry: each is reported on its own.
    BrokenMedium noRemovalWindow;
    noRemovalWindow.RemoveFile("Drovix.exe");
    run = noRemovalWindow.Check();
    EXPECT_TRUE(run.HasLine("检查完毕：0 个错误，3 个警告。")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("QelvanDeploy.exe")) << run.output;
}

TEST(MediumCheck, BaudRateTheListDoesNotOfferIsAWarning) {
    BrokenMedium medium;
    medium.SetKey(kReceipt, "QR-58.PORT", "BaudRate", "9601");
    CheckerRun run = medium.Check();
    ExpectReport(
        run,
        "警告：DRVCONFIG\\setup_receipt.ini [QR-58.PORT] BaudRate：端口页的列表中没有 9601，将显示 38400", 0);
    EXPECT_TRUE(run.HasLine("检查完毕：0 个错误，3 个警告。")) << run.output;
}

TEST(MediumCheck, EmptyAndMissingDirectories) {
    TempDir scratch("qelvan-check");
    CheckerRun run = RunCheckerIn(scratch.Path());
    // An empty directory has no common file.
    ExpectReport(run, "错误：DRVCONFIG\\setup.ini：文件不存在", 1);
    DWORD exitCode = 0;
    RunAndCapture("\"" + WizardDriver::BuiltMedium() + "\\MediumCheck.exe\" \"" + scratch.Path() + "\\none\"",
                  exitCode);
    EXPECT_EQ(2u, exitCode);
    // Nor can a directory too deep for the medium's paths.
    std::string deep = MakeDeepDirectory(scratch.Path(), 240);
    RunAndCapture("\"" + WizardDriver::BuiltMedium() + "\\MediumCheck.exe\" \"" + deep + "\"", exitCode);
    EXPECT_EQ(2u, exitCode);
}

namespace {
// The names directly in a directory, without "." and "..".
std::set<std::string> EntriesOf(const std::string& directory) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}
}  // namespace

// The demo medium is a folder one could copy to a share: the medium's own files and the programs that
// ship on it, nothing of the build.
TEST(DemoMedium, HoldsOnlyWhatAMediumHolds) {
    std::set<std::string> expected = EntriesOf(SourceDir() + "\\medium");
    expected.erase("CMakeLists.txt");
    for (const char* shipped :
         {"QelvanSetup.exe", "QelvanDeploy.exe", "Drovix.exe", "MediumCheck.exe", "TvUsbInt.dll", "USBDRV"})
        expected.insert(shipped);
    std::set<std::string> found = EntriesOf(MediumDir());
    // The stand-in USB library's record of the calls a program made from the medium (scripts/run).
    found.erase("TvUsbInt.log");
    EXPECT_EQ(expected, found);
}
