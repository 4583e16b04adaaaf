// Which programs hold QelvanDeploy.exe off and which it holds off, and the shared log it writes: only
// the product's own programs count, and no line of a run is lost.
#include <chrono>
#include <string>
#include <thread>

#include "resources/ResourceIds.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/support/WizardDriver.h"

namespace {
// The byte every run locks while it writes a line of the shared log.
constexpr DWORD kLogLockOffset = 0x40000000;

bool MutexHeld(const char* name) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
}

size_t LineCount(const std::string& text) {
    size_t count = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
}

// An empty log, opened and locked as another run holds it while it writes; invalid when that failed.
HANDLE LogHeldByAnotherRun(const std::string& log) {
    if (!WriteTextFile(log, "")) return INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(log.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && !LockFile(file, kLogLockOffset, 0, 1, 0)) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

// Starts the wizard from the medium copy under the file name given and returns the one message it
// shows before it ends (empty text when it showed none).
std::string WizardRefusal(const MediumCopy& medium, const std::string& fileName) {
    if (fileName != "QelvanSetup.exe" && !CopyFileTo(medium.Exe(), medium / fileName)) return "no copy";
    WizardDriver::SetWindowsVersion(fileName.c_str(), "winxp");
    WizardDriver wizard;
    if (!wizard.Launch(medium / fileName, medium.Path())) return "no start";
    std::vector<ShownMessage> shown = wizard.AnswerMessagesUntilExit(IDOK);
    if (!wizard.WaitForExit(10000)) wizard.Kill();
    return shown.empty() ? "" : shown[0].text;
}

TEST_F(DeployTest, OnlyTheProductsOwnDialogsHoldItOff) {
    {
        // Explorer captions a window open on the folder "Qelvan" as the wizard is captioned.
        CaptionedWindow explorer("Qelvan");
        Expect(0, "remove /printer:NoSuchPrinter");
    }
    {
        // The companion uninstaller, of whatever window class, holds every run off by its caption.
        CaptionedWindow olderUninstaller("Drovix");
        Expect(1618, "remove /printer:NoSuchPrinter");
    }
    // The wizard's own dialog, whatever program file shows it, holds the run off.
    CaptionedDialog wizard("Qelvan");
    Expect(1618, "remove /printer:NoSuchPrinter");
}

TEST_F(DeployTest, TheRemovalWindowAndTheDeploymentProgramHoldEachOtherOff) {
    WizardDriver::SetWindowsVersion("Drovix.exe", "winxp");
    WizardDriver removal;
    ASSERT_TRUE(removal.Launch(medium / "Drovix.exe", medium.Path()));
    HWND window = removal.WaitForWindow("Drovix");
    ASSERT_NE(nullptr, window);
    Expect(1618, "remove /printer:NoSuchPrinter");
    removal.Click(WizardDriver::Control(window, IDCANCEL));
    EXPECT_TRUE(removal.WaitForExit(15000));

    // The wizard renamed still holds the removal window off: it is found by its dialog.
    ASSERT_TRUE(CopyFileTo(medium.Exe(), medium / "setup.exe"));
    WizardWalk setup;
    ASSERT_EQ("", setup.Start(medium / "setup.exe", "winxp"));
    WizardDriver refused;
    ASSERT_TRUE(refused.Launch(medium / "Drovix.exe", medium.Path()));
    std::vector<ShownMessage> shown = refused.AnswerMessagesUntilExit(IDOK);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("请先关闭Qelvan安装程序!", shown[0].text);
}

TEST_F(DeployTest, TheWizardUnderAnyNameRefusesWithABoxWhileTheDeploymentProgramWorks) {
    // The two locks the deployment program holds while it installs or removes.
    HANDLE setupLock = CreateMutexA(nullptr, TRUE, "QelvanSetup");
    HANDLE deployLock = CreateMutexA(nullptr, TRUE, "QelvanDeploy");
    EXPECT_EQ(ResourceText(IDS_DEPLOY_RUNNING), WizardRefusal(medium, "setup.exe"));
    EXPECT_EQ(ResourceText(IDS_DEPLOY_RUNNING), WizardRefusal(medium, "QelvanSetup.exe"));
    CloseHandle(deployLock);
    CloseHandle(setupLock);
}

TEST_F(DeployTest, ALineThatWaitsInVainForTheLogIsWrittenOnlyOnceTheLockIsFree) {
    std::string log = medium / "stuck.log";
    // Another run that took the log's lock and lets go only after this run's first line gave up waiting.
    HANDLE stuck = LogHeldByAnotherRun(log);
    ASSERT_NE(INVALID_HANDLE_VALUE, stuck);
    DWORD exitCode = 0;
    std::string output;
    auto started = std::chrono::steady_clock::now();
    std::thread run([&] { output = Deploy("install /model:QT-200 /log:\"" + log + "\"", exitCode); });
    // While it waits for the log, the run holds the lock by which the wizard knows it is at work.
    bool deployLockSeen = false;
    for (int tries = 0; tries < 100 && !deployLockSeen; ++tries) {
        deployLockSeen = MutexHeld("QelvanDeploy");
        if (!deployLockSeen) Sleep(50);
    }
    // Past the first line's wait of 5 s, short of the end of the run's last wait for its waiting lines.
    Sleep(7500);
    std::string whileLocked = ReadTextFile(log);
    UnlockFile(stuck, kLogLockOffset, 0, 1, 0);
    run.join();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    CloseHandle(stuck);
    EXPECT_TRUE(deployLockSeen);
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_EQ("", whileLocked);
    std::string notice = "日志文件 " + log + " 正被另一次运行锁住：此后各行等它放开后再写入日志\r\n";
    EXPECT_TRUE(Says(output, notice)) << output;
    // Every line of the run but the notice, in its order, naming the computer.
    std::string written = ReadTextFile(log);
    EXPECT_EQ(LineCount(output) - 1, LineCount(written)) << written;
    EXPECT_TRUE(Says(written, " " + ComputerName() + " 打印机：QT-200(P)\r\n")) << written;
    EXPECT_LT(written.find(" 打印机：QT-200(P)\r\n"), written.find(" 退出码：0\r\n")) << written;
    // The run waits once for a writer that does not let go, not once a line.
    EXPECT_LT(seconds, 30.0);
}

TEST_F(DeployTest, ALineWaitsForAnotherRunThatIsWritingToTheLog) {
    std::string log = medium / "shared.log";
    // Another run writing its line in two pieces while it holds the log's lock.
    HANDLE other = LogHeldByAnotherRun(log);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    DWORD written = 0;
    WriteFile(other, "first half, ", 12, &written, nullptr);
    DWORD exitCode = 0;
    std::thread run([&] { Deploy("models /log:\"" + log + "\"", exitCode); });
    // Long enough for the run to reach its first line, short of the time after which it stops waiting.
    Sleep(3000);
    SetFilePointer(other, 0, nullptr, FILE_END);
    WriteFile(other, "second half\r\n", 13, &written, nullptr);
    UnlockFile(other, kLogLockOffset, 0, 1, 0);
    run.join();
    CloseHandle(other);
    EXPECT_EQ(0u, exitCode);
    std::string text = ReadTextFile(log);
    EXPECT_EQ(0u, text.find("first half, second half\r\n")) << text;
}
}  // namespace
