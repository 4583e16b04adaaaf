// QelvanDeploy check inside this test, for the faults Wine cannot show: a paused printer (SetPrinter's
// pause fails with 124), a serial port another program holds (Wine lets a second program open it) and
// a queue with jobs waiting (Wine 8 lists no queue). One spooler call each is replaced for the run;
// everything else is the real spooler, registry and medium copy.
#include <cstring>
#include <string>
#include <vector>

#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "deploy/SwitchTable.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "tests/deploy/SpoolerControl.h"
#include "tests/e2e/E2eSupport.h"

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

// The queue as Windows shows it after the test page was handed over while the printer was off: the page,
// submitted 12 minutes ago, and a receipt behind it that the port refused.
JOB_INFO_2A queue[2];

BOOL WINAPI QueueAfterTestPage(HANDLE, DWORD, DWORD, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                               DWORD* returned) {
    *needed = sizeof queue;
    *returned = 0;
    if (level != 2 || size < sizeof queue) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(buffer, queue, sizeof queue);
    *returned = 2;
    return TRUE;
}

SYSTEMTIME MinutesAgo(unsigned minutes) {
    SYSTEMTIME now = {};
    FILETIME time = {};
    GetSystemTime(&now);
    SystemTimeToFileTime(&now, &time);
    ULARGE_INTEGER ticks = {};
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    ticks.QuadPart -= minutes * 600000000ULL + 100000000ULL;
    time.dwLowDateTime = ticks.LowPart;
    time.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&time, &now);
    return now;
}

class CheckRun : public ::testing::Test {
protected:
    // Runs one command line of the medium copy in this process, as the program's entry does; its exit
    // code. Its lines are in said.
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "QelvanDeploy.exe");
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(&word[0]);
        Switches switches(static_cast<int>(argv.size()), argv.data());
        CurrentDirectoryScope start(medium.Path());
        RemoveFile(log);
        if (!OpenDeployLog(log.c_str())) return -1;
        const CommandRule* command = CheckCommandLine(switches);
        RouteMessagesToOutput();
        int exitCode = kExitRefused;
        if (command != nullptr && CheckRunningSystem() && OpenMedium(medium.Path().c_str()))
            exitCode = command->run(switches);
        CloseDeployLog();
        said = ReadTextFile(log);
        return exitCode;
    }

    InstallationCleanup cleanup;
    MediumCopy medium;
    std::string log = medium / "run.log";
    std::string said;
};

TEST_F(CheckRun, APausedPrinterAHeldPortAndTheWaitingJobsAreNamed) {
    ASSERT_EQ(kExitDone, Run({"install", "/model:QR-58", "/port:TVCOM1:"}));
    ASSERT_TRUE(ControlSpooler(true));
    ASSERT_EQ(kExitDone, Run({"check"})) << said;
    {
        SeamOverride<decltype(Spooler().getPrinter)> paused(Spooler().getPrinter, PausedPrinter);
        EXPECT_EQ(kExitFailed, Run({"check"}));
        EXPECT_NE(std::string::npos,
                  said.find("打印机 QR-58(S) 已暂停：在“打印机和传真”中右击它，选“继续打印”。"))
            << said;
    }
    {
        SeamOverride<decltype(Spooler().openPort)> held(Spooler().openPort, HeldPort);
        EXPECT_EQ(kExitFailed, Run({"check", "/printer:QR-58(S)"}));
        EXPECT_NE(std::string::npos, said.find("打印机 QR-58(S)：端口 TVCOM1: 正被另一个程序占用")) << said;
    }
    CreateDirectoryA((SystemDirectoryPath() + "\\spool\\PRINTERS").c_str(), nullptr);
    ASSERT_EQ(kExitDone, Run({"testpage", "/printer:QR-58(S)"})) << said;
    std::string page = "Qelvan 测试页 - QR-58(S)";
    std::string receipt = "收据 1042";
    queue[0] = {};
    queue[0].JobId = 7;
    queue[0].pDocument = &page[0];
    queue[0].Submitted = MinutesAgo(12);
    queue[1] = {};
    queue[1].JobId = 8;
    queue[1].pDocument = &receipt[0];
    queue[1].Status = JOB_STATUS_ERROR;
    queue[1].Submitted = MinutesAgo(3);
    SeamOverride<decltype(Spooler().enumJobs)> jobs(Spooler().enumJobs, QueueAfterTestPage);
    EXPECT_EQ(kExitFailed, Run({"check", "/printer:QR-58(S)"}));
    EXPECT_NE(
        std::string::npos,
        said.find("打印机 QR-58(S)：队列中有 2 个作业等待，最早的“Qelvan 测试页 - QR-58(S)”已等 12 分钟"))
        << said;
    EXPECT_NE(std::string::npos,
              said.find("打印机 QR-58(S)：作业 8“收据 1042”出错（状态 0x2），挡住了后面的作业"))
        << said;
    RemoveFile(WindowsDirectoryPath() + "\\QelvanPorts\\TVCOM1.prn");
}
}  // namespace
