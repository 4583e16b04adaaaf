// The Windows 98/Me update of an outdated component: no spooler restart; a file in use is copied
// under the prefixed name that the system loads at its next start.
#include "tests/sequence/EngineRunTest.h"

namespace {

TEST_F(EngineRunTest, ProcessorInUseIsCopiedUnderThePrefixedName) {
    InstallOldProcessor(kProcessorVersion - 1);
    std::string processorKey = ProcessorKey(EnvironmentOf(system), kProcessor);
    LockedFile held(SpoolerProcessorDirectory() + "\\qtproc.dll");
    ASSERT_TRUE(held.Held());
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ("", outcome.message);
    EXPECT_EQ(8, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureProcessor(SpoolerProcessorDirectory() + "\\nqtproc.dll"));
    EXPECT_EQ("nqtproc.dll", ReadStringOrNone(HKEY_LOCAL_MACHINE, processorKey, "Driver"));
    EXPECT_EQ(kProcessorVersion, RecordedVersion(processorKey));
}

TEST_F(EngineRunTest, ProcessorAndItsPrefixedCopyBothInUse) {
    InstallOldProcessor(kProcessorVersion - 1);
    WriteTextFile(SpoolerProcessorDirectory() + "\\nqtproc.dll", kOldProcessor);
    LockedFile held(SpoolerProcessorDirectory() + "\\qtproc.dll");
    LockedFile heldPrefixed(SpoolerProcessorDirectory() + "\\nqtproc.dll");
    ASSERT_TRUE(held.Held() && heldPrefixed.Held());
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("发生系统错误，重新启动系统后，再次安装", outcome.message);
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

TEST_F(EngineRunTest, OutdatedProcessorMissingOnTheMedium) {
    InstallOldProcessor(kProcessorVersion - 1);
    medium.RemoveSystemFile("qtproc.dll");
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("复制驱动文件错误qtproc.dll  er = 2" + medium.SystemFolder() + "qtproc.dll", outcome.message);
    EXPECT_EQ(kOldProcessor, ReadTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll"));
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

TEST_F(EngineRunTest, UsbMonitorBeforeTheProcessor) {
    DWORD older = kUsbVersion - 1;
    InstallOldMonitor(kUsbMonitor, "qtusbmon.dll", &older);
    InstallOldProcessor(kProcessorVersion - 1);
    EngineOutcome outcome = Install(kModel, "USB_QT-R58_1");

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(10, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtusbmon.dll"));
    EXPECT_EQ(kUsbVersion, RecordedVersion(MonitorKey(kUsbMonitor)));
    EXPECT_EQ(kOldProcessor, ReadTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll"));
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
}

TEST_F(EngineRunTest, ColourLibraryMissingOnTheMedium) {
    medium.RemoveSystemFile("DMCOLOR.DLL");
    EngineOutcome outcome = Install("KRP-A100", "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("复制驱动文件错误DMCOLOR.DLL  er = 2" + medium.SystemFolder() + "DMCOLOR.DLL", outcome.message);
    EXPECT_FALSE(ReadPrinter("KRP-A100(P)").found);
}

TEST_F(EngineRunTest, SystemFileMissingOnTheMediumFailsTheDriverFiles) {
    medium.RemoveSystemFile("ICONLIB.DLL");
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("复制驱动文件错误ICONLIB.DLL  er = 2" + medium.SystemFolder() + "ICONLIB.DLL", outcome.message);
    EXPECT_FALSE(ReadPrinter("QT-R58(P)").found);
}

// Wine makes no print-processor folder for "Windows 4.0"; Windows 98/Me has its own.
TEST_F(EngineRunTest, MissingProcessorFolderIsMadeForTheProcessorFile) {
    ASSERT_TRUE(RemoveDirectoryA(SpoolerProcessorDirectory().c_str()));
    EngineOutcome outcome = Install(kModel, "LPT1:");
    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ("", outcome.message);
    EXPECT_TRUE(HoldsFixtureProcessor(SpoolerProcessorDirectory() + "\\qtproc.dll"));
}

TEST_F(EngineRunTest, ProcessorFolderTakenByAFile) {
    std::string folder = SpoolerProcessorDirectory();
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    ASSERT_TRUE(WriteTextFile(folder, "not a folder"));
    EngineOutcome outcome = Install(kModel, "LPT1:");
    DeleteFileA(folder.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ(0u, outcome.message.find("复制驱动文件错误qtproc.dll  er = ")) << outcome.message;
    EXPECT_NE(std::string::npos, outcome.message.find(medium.SystemFolder() + "qtproc.dll"))
        << outcome.message;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(EnvironmentOf(system), kProcessor)));
    ExpectNoDriverFiles();
}

}  // namespace
