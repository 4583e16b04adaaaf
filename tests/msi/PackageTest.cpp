// The package as group policy and management suites run it: msiexec /qn with a profile beside the
// package or named by PROFILE, its exit codes whole, the /l*v log, the list of installed programs.
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"

namespace {
const char kProfileOfOnePrinter[] =
    "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\nAdvanced=No\r\nDefault="
    "Yes\r\n";
const char kPackageEntryName[] = "Qelvan 打印机驱动程序";
const char kEarlierProduct[] = "{3B5C053A-7534-5C6D-9FEF-A03E9AC62BF0}";  // 2.0.0, the demo medium's
const char kLaterProduct[] = "{BF28BB6F-6B5E-531B-A6A0-212D8AC3B054}";    // 99.0.1
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class PackageTest : public DeployTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((TestDir() + "\\..\\QelvanPrinters.msi").c_str(), Package().c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((TestDir() + "\\QelvanPrinters-later.msi").c_str(),
                              (share / "later.msi").c_str(), FALSE));
    }
    void TearDown() override {
        for (const char* product : {kEarlierProduct, kLaterProduct}) Msiexec(std::string("/x ") + product);
    }
    std::string Package() const { return share / "QelvanPrinters.msi"; }
    // msiexec /qn on the system given (the custom actions and QelvanDeploy see it too); the exit code
    // whole, the /l*v log's text.
    DWORD Msiexec(const std::string& arguments, std::string& log, const char* windowsVersion = "winxp") {
        std::string logPath = share / "package.log";
        DeleteFileA(logPath.c_str());
        for (const char* program : {"msiexec.exe", "QelvanDeploy.exe"})
            SetWindowsVersionFor(program, windowsVersion);
        DWORD exitCode = 0;
        RunAndCapture("msiexec.exe " + arguments + " /qn /l*v \"" + logPath + "\"", exitCode, share.Path(),
                      240000);
        for (const char* program : {"msiexec.exe", "QelvanDeploy.exe"}) SetWindowsVersionFor(program, "");
        log = ReadTextFile(logPath);
        return exitCode;
    }
    DWORD Msiexec(const std::string& arguments, const char* windowsVersion = "winxp") {
        std::string log;
        return Msiexec(arguments, log, windowsVersion);
    }
    static std::string EntryName(const char* product) {
        return ReadStringOrNone(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + product, "DisplayName");
    }
    static bool OwnEntry() { return KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey); }

    TempDir share{"qelvan-share"};
};

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
