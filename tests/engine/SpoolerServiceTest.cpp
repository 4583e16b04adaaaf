#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "engine/SeamOverride.h"
#include "engine/ServiceApi.h"
#include "engine/SpoolerService.h"
#include "tests/support/ServiceState.h"

namespace {

bool WaitForState(DWORD state) {
    for (int i = 0; i < 100 && SpoolerState() != state; ++i) Sleep(20);
    return SpoolerState() == state;
}

// Each test starts, and leaves the service, running.
class SpoolerServiceTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        MessageText ignored = {};
        StartSpooler(ignored);
        WaitForState(SERVICE_RUNNING);
    }
    MessageText message = {};
};

int statusQueries = 0;
DWORD runningFromQuery = 0;  // the query that first reports running; 0: never

BOOL WINAPI CountedStatus(SC_HANDLE, LPSERVICE_STATUS status) {
    ++statusQueries;
    *status = SERVICE_STATUS();
    status->dwCurrentState = runningFromQuery != 0 && statusQueries >= static_cast<int>(runningFromQuery)
                                 ? SERVICE_RUNNING
                                 : SERVICE_START_PENDING;
    return TRUE;
}

// A spooler still letting go of its files: "stop pending" up to the query that reports it stopped.
int stoppedFromQuery = 0;
BOOL WINAPI SlowStop(SC_HANDLE, LPSERVICE_STATUS status) {
    ++statusQueries;
    *status = SERVICE_STATUS();
    status->dwCurrentState = statusQueries >= stoppedFromQuery ? SERVICE_STOPPED : SERVICE_STOP_PENDING;
    return TRUE;
}

BOOL WINAPI RefusedStart(SC_HANDLE, DWORD, LPCSTR*) {
    SetLastError(ERROR_SERVICE_DISABLED);
    return FALSE;
}

SC_HANDLE WINAPI NoManager(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

int stopRequests = 0;
BOOL WINAPI CountedControl(SC_HANDLE, DWORD control, LPSERVICE_STATUS) {
    if (control == SERVICE_CONTROL_STOP) ++stopRequests;
    return TRUE;
}

TEST_F(SpoolerServiceTest, StopStartAndWaitOnTheRealService) {
    StopSpooler();
    ASSERT_TRUE(WaitForState(SERVICE_STOPPED));
    // A stop request while stopped is refused by the service (1062) and not reported.
    StopSpooler();
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), SpoolerState());

    EXPECT_FALSE(WaitSpoolerRunning(message));
    EXPECT_STREQ("启动Spool服务出错！", message);

    message[0] = '\0';
    StartSpooler(message);
    EXPECT_STREQ("", message);
    EXPECT_TRUE(WaitSpoolerRunning(message));
    EXPECT_STREQ("", message);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());

    // Starting a running service answers 1056, which is not an error; an earlier text stays.
    strcpy(message, "earlier");
    StartSpooler(message);
    EXPECT_STREQ("earlier", message);
}

TEST_F(SpoolerServiceTest, RefusedStartReportsTheErrorCode) {
    StopSpooler();
    SeamOverride<decltype(Services().startService)> refuse(Services().startService, RefusedStart);
    StartSpooler(message);
    EXPECT_STREQ("启动spool服务出错, 错误号为 1058", message);
}

TEST_F(SpoolerServiceTest, WaitCountsTheStatusQueries) {
    SeamOverride<decltype(Services().queryStatus)> counted(Services().queryStatus, CountedStatus);
    statusQueries = 0;
    runningFromQuery = 4;
    EXPECT_TRUE(WaitSpoolerRunning(message));
    EXPECT_EQ(4, statusQueries);
    EXPECT_STREQ("", message);

    statusQueries = 0;
    runningFromQuery = 0;
    EXPECT_FALSE(WaitSpoolerRunning(message));
    EXPECT_EQ(10, statusQueries);
    EXPECT_STREQ("启动Spool服务出错！", message);
}

TEST_F(SpoolerServiceTest, StopWaitLastsUntilTheServiceReportsStopped) {
    SeamOverride<decltype(Services().queryStatus)> slow(Services().queryStatus, SlowStop);
    statusQueries = 0;
    stoppedFromQuery = 4;
    WaitSpoolerStopped();
    EXPECT_EQ(4, statusQueries);
}

TEST_F(SpoolerServiceTest, ManagerThatCannotBeOpened) {
    SeamOverride<decltype(Services().openManager)> none(Services().openManager, NoManager);
    SeamOverride<decltype(Services().controlService)> control(Services().controlService, CountedControl);
    stopRequests = 0;
    StopSpooler();
    EXPECT_EQ(0, stopRequests);
    StartSpooler(message);
    EXPECT_STREQ("", message);
    EXPECT_FALSE(WaitSpoolerRunning(message));
    EXPECT_STREQ("启动Spool服务出错！", message);
}

TEST_F(SpoolerServiceTest, StopSendsOneStopRequest) {
    SeamOverride<decltype(Services().controlService)> control(Services().controlService, CountedControl);
    stopRequests = 0;
    StopSpooler();
    EXPECT_EQ(1, stopRequests);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
}

}  // namespace
