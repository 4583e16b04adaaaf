// The rollout an administrator runs: one profile for a mixed fleet (a serial printer's port is taken by
// its number on the running system family, as the port page there offers it), and what a failed entry
// still leaves reachable.
#include <string>

#include "tests/deploy/DeployFixture.h"

namespace {
TEST_F(DeployTest, AProfileOfOneFamilyIsAppliedOnTheOther) {
    std::string profile = medium / "fleet.ini";
    ASSERT_TRUE(WriteTextFile(profile,
                              "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QL-60\r\nPort=TVCOM2:\r\n"
                              "Advanced=No\r\nDefault=No\r\n"));
    std::string on98 = Expect(3010, "apply /file:\"" + profile + "\"", "win98");
    EXPECT_TRUE(Says(on98, "[Printer1] Port：端口 TVCOM2: 在本系统上是 COM2:，照此安装。")) << on98;
    EXPECT_EQ("COM2:", ReadPrinter("QL-60(S)").port);
    // Exported there, the same till's file names the port as Windows 98 does; an NT till takes it.
    Expect(0, "export /file:\"" + profile + "\"", "win98");
    EXPECT_TRUE(Says(ReadTextFile(profile), "Port=COM2:\r\n")) << ReadTextFile(profile);
    InstallationCleanup::RemoveInstallations();
    std::string onXp = Expect(0, "apply /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(onXp, "端口 COM2: 在本系统上是 TVCOM2:")) << onXp;
    EXPECT_EQ("TVCOM2:", ReadPrinter("QL-60(S)").port);
    // Any other port the page would not offer is still refused.
    ASSERT_TRUE(medium.ReplaceInFile("fleet.ini", "Port=COM2:", "Port=COM2"));
    Expect(1639, "apply /file:\"" + profile + "\"");
}

TEST_F(DeployTest, AFailedEntryStillLeavesWhatWasInstalledReachable) {
    std::string profile = medium / "till.ini";
    ASSERT_TRUE(WriteTextFile(profile,
                              "[QelvanProfile]\r\nPrinters=2\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n"
                              "[Printer2]\r\nModel=QL-60\r\nPort=TVCOM1:\r\n"));
    // The second entry's driver file is missing from the medium: it fails at its installation.
    ASSERT_TRUE(DeleteFileA((medium / "winnt\\QL60.PPD").c_str()));
    std::string applied = Expect(1603, "apply /file:\"" + profile + "\"");
    EXPECT_TRUE(ReadPrinter("QT-200(P)").found) << applied;
    EXPECT_EQ("Qelvan 打印机驱动程序",
              ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "DisplayName"))
        << applied;
}

TEST_F(DeployTest, OnWindows98ARestartNotYetMadeIsRemembered) {
    Expect(3010, "install /model:QR-58 /port:COM2:", "win98");
    // The printer is there: nothing to install, but the restart it needs has not happened.
    std::string again = Expect(3010, "install /model:QR-58 /port:COM2:", "win98");
    EXPECT_TRUE(Says(again, "上次安装要求的重新启动尚未进行")) << again;
    DWORD exitCode = 0;
    RunAndCapture("wineboot.exe -r", exitCode, medium.Path(), 120000);
    Expect(0, "install /model:QR-58 /port:COM2:", "win98");
    // The NT family never asks for a restart.
    Expect(0, "install /model:QT-200");
}

// A WININIT.INI that cannot be read safely is left as it is: the restart is said but not remembered, so
// that no later run asks for it for ever.
TEST_F(DeployTest, OnWindows98AWininitSavedAsUnicodeStaysAndNoRestartIsRememberedForEver) {
    std::string wininit = WindowsDirectoryPath() + "\\WININIT.INI";
    const std::string unicode("\xff\xfe[\0r\0e\0n\0a\0m\0e\0]\0\r\0\n\0", 22);
    ASSERT_TRUE(WriteTextFile(wininit, unicode));
    std::string first = Expect(3010, "install /model:QR-58 /port:COM2:", "win98");
    EXPECT_TRUE(Says(first, "无法在 " + wininit + " 中记下要求的重新启动（文件保持原样）")) << first;
    EXPECT_EQ(unicode, ReadTextFile(wininit));
    Expect(0, "install /model:QR-58 /port:COM2:", "win98");
    RemoveFile(wininit);
}
}  // namespace
