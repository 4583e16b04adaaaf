// What administrators buy the Windows Installer for: 1603 means the till is as it was. A newer package
// refused or failing part-way over an older one leaves the older whole; a repair and a removal use what
// the installation remembered, a removal needs nothing of the program folder, and a refused removal
// leaves the package listed.
#include <windows.h>

#include <string>

#include "common/SingleInstance.h"
#include "tests/msi/PackageFixture.h"
#include "tests/support/TillState.h"

namespace {
const char kProgramFolder[] = "C:\\Program Files\\QelvanPrinters";

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class PackageAllOrNothingTest : public PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        CreateDirectoryA((SystemDirectoryPath() + "\\spool\\PRINTERS").c_str(), nullptr);
        RemoveTree(ports);
    }
    void TearDown() override {
        PackageTest::TearDown();
        RemoveTree(ports);
    }
    // A profile of the till: a receipt printer on TVCOM1: and a ticket printer on TVCOM2:.
    std::string TwoPrinters() {
        std::string path = share / "two.ini";
        EXPECT_TRUE(
            WriteTextFile(path,
                          "[QelvanProfile]\r\nPrinters=2\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n"
                          "[Printer2]\r\nModel=QT-200\r\nPort=TVCOM2:\r\nDefault=Yes\r\n"));
        return path;
    }
    std::string ports = WindowsDirectoryPath() + "\\QelvanPorts";
};

TEST_F(PackageAllOrNothingTest, ANewerPackageRefusedOrFailingLeavesTheOlderWhole) {
    std::string profile = share / "one.ini";
    ASSERT_TRUE(WriteTextFile(
        profile, "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n"));
    ASSERT_EQ(0u, Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\""));
    ForeignPrinter foreign("LPT3:");
    TillState before = CaptureTill();

    std::string later = "/i \"" + (share / "later.msi") + "\"";
    std::string log;
    // No profile beside the newer package, PROFILE naming no file, a switch property of another spelling:
    // each refused before anything changes.
    EXPECT_EQ(1603u, Msiexec(later, log));
    EXPECT_TRUE(Says(log, "没有打印机配置文件")) << log;
    EXPECT_EQ("", TillDifferences(before, CaptureTill()));
    EXPECT_EQ(1603u, Msiexec(later + " PROFILE=\"" + (share / "none.ini") + "\"", log));
    EXPECT_TRUE(Says(log, "none.ini 不存在或无法读取")) << log;
    EXPECT_EQ(1603u, Msiexec(later + " PROFILE=\"" + TwoPrinters() + "\" EXACT=false", log));
    EXPECT_TRUE(Says(log, "属性 EXACT 的值“false”无效")) << log;
    EXPECT_EQ("", TillDifferences(before, CaptureTill()));

    // A profile whose second printer's test page its port refuses: apply installed it and more, then
    // failed; the Installer's rollback undoes the run and the older package stays as it was.
    CreateDirectoryA(ports.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(ports + "\\TVCOM2.fail", "off"));
    EXPECT_EQ(1603u, Msiexec(later + " PROFILE=\"" + TwoPrinters() + "\" TESTPAGE=1", log));
    EXPECT_TRUE(Says(log, "] 已安装：QT-200")) << log;
    EXPECT_TRUE(Says(log, "这次运行所做的更改已全部撤销。")) << log;
    // A quiet run's log holds each of apply's lines once, the failure's reason included.
    EXPECT_EQ(1u, Occurrences(log, "测试页未能交给打印机 QT-200(S)")) << log;
    EXPECT_EQ("", TillDifferences(before, CaptureTill())) << log;
    EXPECT_EQ(kPackageEntryName, EntryName(kEarlierProduct));
    EXPECT_EQ("<none>", EntryName(kLaterProduct));

    // The older package is still known by its upgrade code: the newer one, once it succeeds, replaces it.
    ASSERT_TRUE(DeleteFileA((ports + "\\TVCOM2.fail").c_str()));
    EXPECT_EQ(0u, Msiexec(later + " PROFILE=\"" + TwoPrinters() + "\"", log));
    EXPECT_EQ("<none>", EntryName(kEarlierProduct)) << log;
    EXPECT_EQ(kPackageEntryName, EntryName(kLaterProduct));

    // The newer package removes what the packages installed, and only that.
    EXPECT_EQ(0u, Msiexec("/x " + std::string(kLaterProduct), log));
    EXPECT_TRUE(Says(log, "已删除：打印机 QR-58(S)")) << log;
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_TRUE(foreign.Untouched());
}

TEST_F(PackageAllOrNothingTest, RepairAndRemovalUseWhatTheInstallationRemembered) {
    std::string profile = TwoPrinters();
    std::string tillLog = share / "till.log";
    ASSERT_EQ(0u,
              Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\" QELVANLOG=\"" + tillLog + "\""));
    ASSERT_EQ(2u, MakerPrinters().size());

    // The profile is gone and the package repaired by its product code: the profile as the installation
    // read it is applied again, into the log it named.
    ASSERT_TRUE(DeleteFileA(profile.c_str()));
    DeleteFileA(tillLog.c_str());
    std::string log;
    EXPECT_EQ(0u, Msiexec("/i " + std::string(kEarlierProduct) + " REINSTALL=ALL REINSTALLMODE=vomus", log));
    EXPECT_TRUE(Says(log, "] 保留：QT-200")) << log;
    EXPECT_TRUE(Says(ReadTextFile(tillLog), "] 保留：QT-200"));

    // A repair whose profile adds a printer that then fails part-way is undone, the remembered profile
    // and log included.
    TillState repaired = CaptureTill();
    std::string more = share / "three.ini";
    ASSERT_TRUE(WriteTextFile(
        more, "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=TVCOM3:\r\n"));
    CreateDirectoryA(ports.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(ports + "\\TVCOM3.fail", "off"));
    EXPECT_EQ(1603u, Msiexec("/i " + std::string(kEarlierProduct) +
                                 " REINSTALL=ALL REINSTALLMODE=vomus PROFILE=\"" + more + "\" TESTPAGE=Yes",
                             log));
    EXPECT_TRUE(Says(log, "这次运行所做的更改已全部撤销。")) << log;
    EXPECT_EQ("", TillDifferences(repaired, CaptureTill())) << log;

    // A removal with the program folder's QelvanDeploy.exe gone: the package's own copy removes, into
    // the remembered log.
    ASSERT_TRUE(DeleteFileA((std::string(kProgramFolder) + "\\QelvanDeploy.exe").c_str()));
    DeleteFileA(tillLog.c_str());
    EXPECT_EQ(0u, Msiexec("/x " + std::string(kEarlierProduct), log));
    EXPECT_TRUE(MakerPrinters().empty()) << log;
    EXPECT_TRUE(Says(ReadTextFile(tillLog), "已删除：打印机 QT-200")) << log;
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
}

TEST_F(PackageAllOrNothingTest, ARemovalRefusedWhileAnotherRunWorksLeavesThePackageListed) {
    ASSERT_TRUE(WriteTextFile(share / "QelvanProfile.ini", kProfileOfOnePrinter));
    ASSERT_EQ(0u, Msiexec("/i \"" + Package() + "\""));
    TillState before = CaptureTill();
    HANDLE deployRuns = CreateMutexA(nullptr, TRUE, kDeployMutex);
    std::string log;
    EXPECT_EQ(1603u, Msiexec("/x " + std::string(kEarlierProduct), log));
    CloseHandle(deployRuns);
    EXPECT_TRUE(Says(log, "请等它结束后再试")) << log;
    EXPECT_EQ(kPackageEntryName, EntryName(kEarlierProduct));
    EXPECT_EQ("", TillDifferences(before, CaptureTill()));
    EXPECT_EQ(0u, Msiexec("/x " + std::string(kEarlierProduct), log));
    EXPECT_TRUE(MakerPrinters().empty()) << log;
}

TEST_F(PackageAllOrNothingTest, ALogThatCannotBeWrittenIsRefusedAtInstallationAndLeftOutAtRemoval) {
    std::string profile = TwoPrinters();
    TillState before = CaptureTill();
    std::string log;
    EXPECT_EQ(1603u, Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\" QELVANLOG=\"" +
                                 (share / "none\\q.log") + "\"",
                             log));
    EXPECT_TRUE(Says(log, "属性 QELVANLOG 所指的日志")) << log;
    EXPECT_EQ("", TillDifferences(before, CaptureTill())) << log;

    // The log's share retired after the installation: the removal goes on without it.
    std::string logs = share / "logs";
    ASSERT_TRUE(CreateDirectoryA(logs.c_str(), nullptr));
    ASSERT_EQ(
        0u, Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\" QELVANLOG=\"" + logs + "\\q.log\"",
                    log));
    RemoveTree(logs);
    EXPECT_EQ(0u, Msiexec("/x " + std::string(kEarlierProduct), log));
    EXPECT_TRUE(Says(log, "这次删除不写该日志")) << log;
    EXPECT_TRUE(MakerPrinters().empty()) << log;
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
}

TEST_F(PackageAllOrNothingTest, OnWindows98AProcessorThatCannotBeCopiedFailsAndLeavesNothing) {
    // The processor folder's place taken by a plain file: the file cannot be placed.
    std::string folder = SpoolerProcessorDirectory(k9xEnvironment);
    RemoveDirectoryA(folder.c_str());
    ASSERT_TRUE(WriteTextFile(folder, "not a folder"));
    ASSERT_TRUE(
        WriteTextFile(share / "QelvanProfile.ini",
                      "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n"));
    TillState before = CaptureTill();
    std::string log;
    EXPECT_EQ(1603u, Msiexec("/i \"" + Package() + "\"", log, "win98"));
    EXPECT_TRUE(Says(log, "未复制的文件：qvproc.dll")) << log;
    EXPECT_FALSE(Says(log, "退出码：3010")) << log;
    EXPECT_EQ("", TillDifferences(before, CaptureTill())) << log;
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
    DeleteFileA(folder.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
}

// A managed installation passes a property to the deferred phase only when the package lists it as
// secure, which Wine's Installer does not enforce: read from the package's own table.
TEST_F(PackageAllOrNothingTest, ThePackageListsItsPropertiesAsSecure) {
    std::string secure = ";" + PackageProperty(Package(), "SecureCustomProperties") + ";";
    for (const char* property :
         {"PROFILE", "EXACT", "RENUMBER", "TESTPAGE", "QELVANLOG", "WIX_UPGRADE_DETECTED"})
        EXPECT_NE(std::string::npos, secure.find(std::string(";") + property + ";")) << secure;
}
}  // namespace
