// Port monitors and print processor that the system already has: kept when current or newer, replaced
// when older or of unknown version.
#include "tests/sequence/EngineRunTest.h"

namespace {

TEST_F(EngineRunTest, CurrentOrNewerComponentsAreKept) {
    if (!Windows98()) {
        ASSERT_TRUE(StartSpoolerAndWait());
    }
    DWORD spooler = SpoolerProcessId();
    for (DWORD newer : {0u, 2u}) {
        DWORD monitorVersion = MonitorVersionOfPort() + newer;
        InstallOldMonitor(MonitorOfPort(), MonitorFileOfPort(), &monitorVersion);
        InstallOldProcessor(kProcessorVersion + newer);
        EngineOutcome outcome = Install(kModel, MonitoredPort());

        EXPECT_EQ(Succeeded, outcome.finishState) << newer;
        EXPECT_EQ(0, Choices().engineStatus) << newer;
        EXPECT_EQ(kOldMonitor, ReadTextFile(SystemDirectoryPath() + "\\" + MonitorFileOfPort()));
        EXPECT_EQ(kOldProcessor, ReadTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll"));
        EXPECT_EQ(monitorVersion, RecordedVersion(MonitorKey(MonitorOfPort())));
        EXPECT_EQ(kProcessorVersion + newer,
                  RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
        EXPECT_TRUE(ReadPrinter(Choices().printerName).found);
        // Nothing to replace, so the spooler was never stopped.
        EXPECT_EQ(spooler, SpoolerProcessId());
        // The next round installs the printer afresh (a taken name is refused on a USB port).
        RemovePrinter(Choices().printerName);
    }
}

TEST_F(EngineRunTest, MonitorWithoutRecordedVersionIsReplaced) {
    InstallOldMonitor(MonitorOfPort(), MonitorFileOfPort(), nullptr);
    if (!Windows98()) {
        ASSERT_TRUE(StartSpoolerAndWait());
    }
    DWORD spooler = SpoolerProcessId();
    EngineOutcome outcome = Install(kModel, MonitoredPort());

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(SuccessText(Windows98()), outcome.message);
    EXPECT_EQ(Windows98() ? 2 : 1, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\" + MonitorFileOfPort()));
    EXPECT_EQ(MonitorVersionOfPort(), RecordedVersion(MonitorKey(MonitorOfPort())));
    EXPECT_EQ(MonitorFileOfPort(),
              ReadStringOrNone(HKEY_LOCAL_MACHINE, MonitorKey(MonitorOfPort()), "Driver"));
    if (!Windows98()) {
        // Replaced with the spooler stopped; it runs again, in a new process.
        EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
        EXPECT_NE(spooler, SpoolerProcessId());
    }
    EXPECT_TRUE(ReadPrinter(Choices().printerName).found);
}

}  // namespace
