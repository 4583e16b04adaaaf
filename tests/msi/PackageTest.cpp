// The package as group policy and management suites run it: msiexec /qn with a profile beside the
// package or named by PROFILE, its exit codes whole, the /l*v log, the list of installed programs.
#include <string>

#include "tests/msi/PackageFixture.h"

namespace {
TEST_F(PackageTest, InstallsWhatItsProfileSaysAndItsRemovalLeavesTheTillAsBefore) {
    // Another maker's printer on a port of the medium's own: the package's removal leaves it.
    ForeignPrinter foreign("LPT2:");
    std::string log;
    // No profile: refused before anything changes, the reason in the log.
    EXPECT_EQ(1603u, Msiexec("/i \"" + Package() + "\"", log));
    EXPECT_TRUE(Says(log, "没有打印机配置文件")) << log;
    // A profile apply refuses (two defaults): the same, with apply's reason.
    ASSERT_TRUE(WriteTextFile(share / "QelvanProfile.ini",
                              "[QelvanProfile]\r\nPrinters=2\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n"
                              "Default=Yes\r\n[Printer2]\r\nModel=QT-200\r\nPort=LPT2:\r\nDefault=Yes\r\n"));
    EXPECT_EQ(1603u, Msiexec("/i \"" + Package() + "\"", log));
    EXPECT_TRUE(Says(log, "退出码：1639")) << log;
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA("C:\\Program Files\\QelvanPrinters\\QelvanDeploy.exe"));

    // The profile beside the package: its printer, port and default, apply's lines in the log, one entry.
    ASSERT_TRUE(WriteTextFile(share / "QelvanProfile.ini", kProfileOfOnePrinter));
    EXPECT_EQ(0u, Msiexec("/i \"" + Package() + "\"", log));
    EXPECT_TRUE(Says(log, "] 已安装：QT-200")) << log;
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    EXPECT_EQ(0u, DefaultPrinterDevice().find("QT-200(P),"));
    EXPECT_EQ(kPackageEntryName, EntryName(kEarlierProduct));
    EXPECT_FALSE(OwnEntry());
    // A repair applies the profile again and changes nothing.
    EXPECT_EQ(0u, Msiexec("/i \"" + Package() + "\" REINSTALL=ALL REINSTALLMODE=vomus", log));
    EXPECT_TRUE(Says(log, "] 保留：QT-200")) << log;
    EXPECT_EQ(1u, MakerPrinters().size());

    EXPECT_EQ(0u, Msiexec("/x \"" + Package() + "\"", log));
    EXPECT_TRUE(Says(log, "已删除：打印机 QT-200(P)")) << log;
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_TRUE(foreign.Untouched()) << log;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(kNtEnvironment, "QelvanProc")));
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
}

TEST_F(PackageTest, ATillSetUpEarlierEndsWithThePackagesEntryAndAnUpgradeKeepsItsPrinters) {
    std::string profile = medium / "till.ini";
    ASSERT_TRUE(WriteTextFile(profile, kProfileOfOnePrinter));
    std::string applied = Expect(0, "apply /file:\"" + profile + "\"");
    ASSERT_TRUE(OwnEntry()) << applied;

    std::string log;
    EXPECT_EQ(0u, Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\"", log));
    EXPECT_TRUE(Says(log, "] 保留：QT-200")) << log;
    EXPECT_FALSE(OwnEntry());
    EXPECT_EQ(kPackageEntryName, EntryName(kEarlierProduct));
    // QelvanDeploy run beside the package makes no second entry.
    Expect(0, "apply /file:\"" + profile + "\"");
    EXPECT_FALSE(OwnEntry());

    // The later version replaces the earlier, keeps the printer and brings the outdated processor up.
    std::string processor = ProcessorKey(kNtEnvironment, "QelvanProc");
    DWORD current = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, processor, "DriverVersion", current));
    SetVersion(processor, current - 1);
    EXPECT_EQ(0u, Msiexec("/i \"" + (share / "later.msi") + "\" PROFILE=\"" + profile + "\"", log));
    // The printer is kept and brought up to date, never removed and installed again.
    EXPECT_TRUE(Says(log, "] 已更新：QT-200")) << log;
    EXPECT_FALSE(Says(log, "已删除：打印机")) << log;
    EXPECT_TRUE(HasVersion(processor, current));
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
    EXPECT_EQ(kPackageEntryName, EntryName(kLaterProduct));
    // The earlier over the later is refused; the log names the later product (Wine logs no launch
    // condition's text under /qn).
    EXPECT_EQ(1603u, Msiexec("/i \"" + Package() + "\" PROFILE=\"" + profile + "\"", log));
    EXPECT_TRUE(Says(log, std::string("WIX_DOWNGRADE_DETECTED = ") + kLaterProduct)) << log;
    EXPECT_EQ("<none>", EntryName(kEarlierProduct));
}

TEST_F(PackageTest, OnWindows98TheInstallationAsksTheInstallerForTheRestart) {
    ASSERT_TRUE(WriteTextFile(
        share / "till.ini", "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n"));
    std::string log;
    EXPECT_EQ(3010u,
              Msiexec("/i \"" + Package() + "\" PROFILE=\"" + (share / "till.ini") + "\"", log, "win98"));
    EXPECT_TRUE(Says(log, "] 已安装：QT-200")) << log;
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    EXPECT_EQ(kPackageEntryName, EntryName(kEarlierProduct));
}
}  // namespace
