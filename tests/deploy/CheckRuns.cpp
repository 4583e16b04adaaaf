// QelvanDeploy check inside this test, for the faults Wine cannot show: a paused printer (SetPrinter's
// pause fails with 124), a serial port another program holds (Wine lets a second program open it) and
// a queue with jobs waiting (Wine 8 lists no queue). One spooler call each is replaced for the run;
// everything else is the real spooler, registry and medium copy.
#include <cstring>
#include <string>

#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "engine/SeamOverride.h"
#include "engine/ServiceApi.h"
#include "engine/SpoolerApi.h"
#include "tests/deploy/DeployFixture.h"

namespace {
BOOL WINAPI PausedPrinter(HANDLE printer, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) {
    BOOL read = GetPrinterA(printer, level, buffer, size, needed);
    if (read && level == 2 && buffer != nullptr)
        reinterpret_cast<PRINTER_INFO_2A*>(buffer)->Status |= PRINTER_STATUS_PAUSED;
    return read;
}

HANDLE WINAPI HeldPort(const char*, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

// The queue as Windows shows it after the test page was handed over while the printer was off: the
// page, and a receipt behind it that the port refused.
JOB_INFO_2A queue[3];

BOOL WINAPI QueueAfterTestPage(HANDLE, DWORD, DWORD, DWORD, BYTE* buffer, DWORD size, DWORD* needed,
                               DWORD* returned) {
    *needed = sizeof queue;
    *returned = size < sizeof queue ? 0 : 3;
    if (size < sizeof queue) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    if (size >= sizeof queue) memcpy(buffer, queue, sizeof queue);
    return *returned == 3;
}

// A job submitted minutes ago (and ten seconds, so that the minutes are whole); minutes below zero: a
// job from a computer whose clock is ahead.
JOB_INFO_2A Job(DWORD id, std::string& document, DWORD status, int minutes) {
    JOB_INFO_2A job = {};
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    ULARGE_INTEGER ticks = {{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart -= static_cast<unsigned long long>((minutes * 60LL + 10) * 10000000LL);
    time = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&time, &job.Submitted);
    job.JobId = id;
    job.pDocument = &document[0];
    job.Status = status;
    return job;
}

// The spooler service in a state of its own, running or not.
DWORD spoolerState = SERVICE_RUNNING;

BOOL WINAPI SpoolerInState(SC_HANDLE, SERVICE_STATUS* status) {
    *status = {};
    status->dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
    status->dwCurrentState = spoolerState;
    return TRUE;
}

class CheckRun : public DeployTest {
protected:
    // Runs check on the medium copy in this process and expects 1603 with the line among its lines.
    void Finds(const std::string& line) {
        char* argv[] = {const_cast<char*>("QelvanDeploy.exe"), const_cast<char*>("check")};
        Switches switches(2, argv);
        CurrentDirectoryScope start(medium.Path());
        RemoveFile(log);
        ASSERT_TRUE(OpenDeployLog(log.c_str()) && CheckRunningSystem() && OpenMedium(medium.Path().c_str()));
        int exitCode = RunCheckCommand(switches);
        CloseDeployLog();
        EXPECT_EQ(kExitFailed, exitCode);
        EXPECT_TRUE(Says(ReadTextFile(log), line)) << ReadTextFile(log);
    }

    std::string log = medium / "run.log";
};

TEST_F(CheckRun, APausedPrinterAHeldPortAndTheWaitingJobsAreNamed) {
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    // The spooler service runs: check looks at the printers behind it only then.
    SeamOverride<decltype(Services().queryStatus)> state(Services().queryStatus, SpoolerInState);
    spoolerState = SERVICE_RUNNING;
    {
        SeamOverride<decltype(Spooler().getPrinter)> paused(Spooler().getPrinter, PausedPrinter);
        Finds("打印机 QR-58(S) 已暂停：在“打印机和传真”中右击它，选“继续打印”。");
    }
    {
        SeamOverride<decltype(Spooler().openPort)> held(Spooler().openPort, HeldPort);
        Finds("打印机 QR-58(S)：端口 TVCOM1: 正被另一个程序占用");
    }
    // A spooler paused, or still starting, prints nothing yet.
    spoolerState = SERVICE_PAUSED;
    Finds("打印后台处理程序服务（Spooler）没有运行（状态 7）");
    spoolerState = SERVICE_START_PENDING;
    Finds("打印后台处理程序服务（Spooler）没有运行（状态 2）");
    spoolerState = SERVICE_RUNNING;
    CreateDirectoryA((SystemDirectoryPath() + "\\spool\\PRINTERS").c_str(), nullptr);
    Expect(0, "testpage /printer:QR-58(S)");
    std::string page = "Qelvan 测试页 - QR-58(S)", receipt = "收据 1042", ahead = "收据 1043";
    queue[0] = Job(7, page, 0, 12);
    queue[1] = Job(8, receipt, JOB_STATUS_ERROR, 3);
    queue[2] = Job(9, ahead, 0, -30);
    SeamOverride<decltype(Spooler().enumJobs)> jobs(Spooler().enumJobs, QueueAfterTestPage);
    Finds("打印机 QR-58(S)：队列中有 3 个作业等待，最早的“Qelvan 测试页 - QR-58(S)”已等 12 分钟");
    Finds("打印机 QR-58(S)：作业 8“收据 1042”出错（状态 0x2），挡住了后面的作业");
    RemoveFile(WindowsDirectoryPath() + "\\QelvanPorts\\TVCOM1.prn");
}
}  // namespace
