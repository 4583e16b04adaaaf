// The NT family's update of an outdated component: the spooler is stopped while the file is replaced
// and started again; a failure on the way ends the installation.
#include "engine/SeamOverride.h"
#include "engine/ServiceApi.h"
#include "engine/SpoolerApi.h"
#include "tests/sequence/EngineRunTest.h"

namespace {

BOOL WINAPI NeverRunning(SC_HANDLE, LPSERVICE_STATUS status) {
    *status = SERVICE_STATUS();
    status->dwCurrentState = SERVICE_STOPPED;
    return TRUE;
}

// A spooler that a dependent service keeps from stopping.
BOOL WINAPI StopRefused(SC_HANDLE, DWORD, LPSERVICE_STATUS) {
    SetLastError(ERROR_DEPENDENT_SERVICES_RUNNING);
    return FALSE;
}

BOOL WINAPI NoProcessorDirectory(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
}

// A spooler that answers "stop pending" three times, as a real one does while it lets go of its files,
// and its real state from the fourth query on. Up to that answer nothing may be replaced or started.
int statusQueries = 0;
int startRequests = 0;
bool workedBeforeStopped = false;
std::string watchedMonitor;
BOOL WINAPI SlowToStop(SC_HANDLE service, LPSERVICE_STATUS status) {
    if (++statusQueries > 4) return QueryServiceStatus(service, status);
    workedBeforeStopped = workedBeforeStopped || startRequests > 0 || HoldsFixtureMonitor(watchedMonitor);
    if (statusQueries == 4) return QueryServiceStatus(service, status);
    *status = SERVICE_STATUS();
    status->dwCurrentState = SERVICE_STOP_PENDING;
    return TRUE;
}
BOOL WINAPI CountedStart(SC_HANDLE service, DWORD count, LPCSTR* arguments) {
    ++startRequests;
    return StartServiceA(service, count, arguments);
}

// A service manager that refuses the first start request and passes the later ones on.
BOOL WINAPI FirstStartRefused(SC_HANDLE service, DWORD count, LPCSTR* arguments) {
    if (++startRequests > 1) return StartServiceA(service, count, arguments);
    SetLastError(ERROR_SERVICE_DISABLED);
    return FALSE;
}

// Each test starts with the spooler running and leaves it running.
class NtUpdateTest : public EngineRunTest {
protected:
    void SetUp() override {
        EngineRunTest::SetUp();
        ASSERT_TRUE(StartSpoolerAndWait());
        spooler = SpoolerProcessId();
    }
    void TearDown() override { EXPECT_TRUE(StartSpoolerAndWait()); }
    DWORD spooler = 0;
};

TEST_F(NtUpdateTest, OnlyTheSerialMonitorWhenTheProcessorIsOutdatedToo) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    InstallOldProcessor(kProcessorVersion - 1);
    EngineOutcome outcome = Install(kModel, SerialPort());

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ("打印机驱动安装成功", outcome.message);
    EXPECT_EQ(9, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtcommon.dll"));
    EXPECT_EQ(kComVersion, RecordedVersion(MonitorKey(kComMonitor)));
    // The processor waits for the next installation.
    EXPECT_EQ(kOldProcessor, ReadTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll"));
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    EXPECT_NE(spooler, SpoolerProcessId());
    EXPECT_TRUE(ReadPrinter("QT-R58(S)").found);
}

TEST_F(NtUpdateTest, OutdatedProcessorIsReplaced) {
    InstallOldProcessor(kProcessorVersion - 1);
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(8, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureProcessor(SpoolerProcessorDirectory() + "\\qtproc.dll"));
    EXPECT_EQ(kProcessorVersion, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    EXPECT_NE(spooler, SpoolerProcessId());
    EXPECT_EQ(kProcessor, ReadPrinter("QT-R58(P)").processor);
}

TEST_F(NtUpdateTest, OutdatedUsbMonitorRecordsItsFile) {
    DWORD older = kUsbVersion - 1;
    InstallOldMonitor(kUsbMonitor, "qtusbold.dll", &older);
    EngineOutcome outcome = Install(kModel, "USB_QT-R58_1");
    EXPECT_EQ(Succeeded, outcome.finishState);
    DeleteFileA((SystemDirectoryPath() + "\\qtusbold.dll").c_str());
    if (system == WindowsNT4) {
        // NT 4.0 has no USB monitor to look at.
        EXPECT_EQ(0, Choices().engineStatus);
        EXPECT_EQ(older, RecordedVersion(MonitorKey(kUsbMonitor)));
        return;
    }
    EXPECT_EQ(2, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtusbmon.dll"));
    EXPECT_EQ("qtusbmon.dll", ReadStringOrNone(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor), "Driver"));
    EXPECT_EQ(kUsbVersion, RecordedVersion(MonitorKey(kUsbMonitor)));
    EXPECT_NE(spooler, SpoolerProcessId());
}

TEST_F(NtUpdateTest, SerialMonitorFlagSurvivesTheUsbMonitorCheck) {
    // A USB port whose name also contains "COM" has both monitors examined; the USB monitor, installed
    // fresh, must not wipe out the serial monitor's flag.
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    EngineOutcome outcome = Install(kModel, "USB_QTCOM_1");

    EXPECT_EQ(Succeeded, outcome.finishState);
    EXPECT_EQ(1, Choices().engineStatus);
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtcommon.dll"));
    EXPECT_EQ(kComVersion, RecordedVersion(MonitorKey(kComMonitor)));
    EXPECT_EQ(system != WindowsNT4, KeyExists(HKEY_LOCAL_MACHINE, MonitorKey(kUsbMonitor)));
    EXPECT_NE(spooler, SpoolerProcessId());
}

TEST_F(NtUpdateTest, NothingIsReplacedOrStartedBeforeTheSpoolerHasStopped) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    watchedMonitor = SystemDirectoryPath() + "\\qtcommon.dll";
    statusQueries = startRequests = 0;
    workedBeforeStopped = false;
    SeamOverride<decltype(Services().queryStatus)> slow(Services().queryStatus, SlowToStop);
    SeamOverride<decltype(Services().startService)> counted(Services().startService, CountedStart);

    EXPECT_EQ(Succeeded, Install(kModel, SerialPort()).finishState);
    EXPECT_GE(statusQueries, 4);
    EXPECT_FALSE(workedBeforeStopped);
    EXPECT_TRUE(HoldsFixtureMonitor(watchedMonitor));
}

TEST_F(NtUpdateTest, FailedCopyLeavesTheSpoolerStopped) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    medium.RemoveSystemFile("qtcommon.dll");
    EngineOutcome outcome = Install(kModel, SerialPort());

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("复制驱动文件错误qtcommon.dll  er = 2" + medium.SystemFolder() + "qtcommon.dll",
              outcome.message);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), SpoolerState());
    EXPECT_EQ(older, RecordedVersion(MonitorKey(kComMonitor)));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\QTDRV.DLL"));
}

TEST_F(NtUpdateTest, FailedProcessorCopyNamesItsSource) {
    InstallOldProcessor(kProcessorVersion - 1);
    medium.RemoveSystemFile("qtproc.dll");
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("复制驱动文件错误qtproc.dll  er = 2" + medium.SystemFolder() + "qtproc.dll", outcome.message);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), SpoolerState());
    EXPECT_EQ(kOldProcessor, ReadTextFile(SpoolerProcessorDirectory() + "\\qtproc.dll"));
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
}

TEST_F(NtUpdateTest, MonitorStillInUseAfterARefusedStop) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    LockedFile held(SystemDirectoryPath() + "\\qtcommon.dll");
    ASSERT_TRUE(held.Held());
    SeamOverride<decltype(Services().controlService)> seam(Services().controlService, StopRefused);
    EngineOutcome outcome = Install(kModel, SerialPort());

    // Nothing was replaced, so nothing claims it was: the next run finds the old version again.
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("发生系统错误，重新启动系统后，再次安装", outcome.message);
    EXPECT_EQ(older, RecordedVersion(MonitorKey(kComMonitor)));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    ExpectNoDriverFiles();
}

TEST_F(NtUpdateTest, ProcessorStillInUseStartsTheSpoolerAgain) {
    InstallOldProcessor(kProcessorVersion - 1);
    LockedFile held(SpoolerProcessorDirectory() + "\\qtproc.dll");
    ASSERT_TRUE(held.Held());
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("发生系统错误，重新启动系统后，再次安装", outcome.message);
    EXPECT_EQ(kProcessorVersion - 1, RecordedVersion(ProcessorKey(EnvironmentOf(system), kProcessor)));
    // The spooler was stopped and runs again with the old processor.
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    EXPECT_NE(spooler, SpoolerProcessId());
    ExpectNoDriverFiles();
}

TEST_F(NtUpdateTest, RefusedStartEndsTheInstallationAtTheNextTest) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    startRequests = 0;
    SeamOverride<decltype(Services().startService)> seam(Services().startService, FirstStartRefused);
    EngineOutcome outcome = Install(kModel, SerialPort());

    // The second start brings the spooler back, but the first refusal's text stays and ends the
    // installation after the first driver file.
    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("启动spool服务出错, 错误号为 1058", outcome.message);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    EXPECT_EQ(kComVersion, RecordedVersion(MonitorKey(kComMonitor)));
    EXPECT_TRUE(DriverFileInstalled("QTUI.DLL"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\QTR58.GPD"));
    EXPECT_FALSE(ReadPrinter("QT-R58(S)").found);
}

TEST_F(NtUpdateTest, SpoolerThatNeverReportsRunning) {
    DWORD older = kComVersion - 1;
    InstallOldMonitor(kComMonitor, "qtcommon.dll", &older);
    SeamOverride<decltype(Services().queryStatus)> seam(Services().queryStatus, NeverRunning);
    EngineOutcome outcome = Install(kModel, SerialPort());

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("启动Spool服务出错！", outcome.message);
    // The file was replaced before the restart failed; the driver never came.
    EXPECT_TRUE(HoldsFixtureMonitor(SystemDirectoryPath() + "\\qtcommon.dll"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\QTDRV.DLL"));
}

TEST_F(NtUpdateTest, ProcessorDirectoryUnavailable) {
    InstallOldProcessor(kProcessorVersion - 1);
    SeamOverride<decltype(Spooler().getPrintProcessorDirectory)> seam(Spooler().getPrintProcessorDirectory,
                                                                      NoProcessorDirectory);
    EngineOutcome outcome = Install(kModel, "LPT1:");

    EXPECT_EQ(Failed, outcome.finishState);
    EXPECT_EQ("获取打印机打印处理器目录目录错误", outcome.message);
    // Found out before the spooler was touched.
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    EXPECT_EQ(spooler, SpoolerProcessId());
}

}  // namespace
