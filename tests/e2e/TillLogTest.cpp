// The till's log, QelvanSetup.log in the Windows folder: a failed and a successful installation through
// the whole wizard each leave their lines, in order, appended one run after the other; a log the wizard
// cannot open does not stop the installation; a hard link in the log's place is left alone, and
// QelvanDeploy says so once.
#include <regex>

#include "common/FileVersion.h"
#include "common/TillLog.h"
#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"

namespace {
// Where each of the lines is found in the log, each after the one before; the first line not found
// in that order is named.
::testing::AssertionResult LinesInOrder(const std::string& log, size_t& at,
                                        const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        size_t found = log.find(line, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "not found after offset " << at << ": " << line << "\n"
                                                 << log;
        at = found + line.size();
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> WalkLines(const std::string& version) {
    return {" 安装程序 ",
            " 启动，版本 " + version + "\r\n",
            " 安装介质：",
            " 检测到的系统：Windows XP\r\n",
            " 打印机：QR-58，设为默认打印机：否\r\n",
            " 安装方式：典型\r\n",
            " 确认的系统：Windows XP\r\n",
            " 端口：USB_QR-58_1\r\n",
            " 完成：安装端口监视器\r\n",
            " 完成：安装打印处理器\r\n"};
}
}  // namespace

class TillLogTest : public EndToEndTest {
protected:
    void SetUp() override {
        DeleteFileA(TillLogPath().c_str());
        ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));
    }
    void TearDown() override { DeleteFileA(TillLogPath().c_str()); }
};

TEST_F(TillLogTest, FailedThenSuccessfulInstallationLeaveTheirLinesInOrder) {
    std::string gpd = medium / "winnt\\QR58.GPD";
    std::string kept = medium / "QR58.GPD.kept";
    ASSERT_TRUE(MoveFileA(gpd.c_str(), kept.c_str()));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    std::vector<ShownMessage> shown = InstallAndFinish();
    ASSERT_EQ(1u, shown.size());
    EXPECT_NE(std::string::npos, shown[0].text.find("er = 2"));

    ASSERT_TRUE(MoveFileA(kept.c_str(), gpd.c_str()));
    WizardWalk second;
    ASSERT_EQ("", second.Start(medium.Exe(), "winxp"));
    ASSERT_EQ("", second.WalkToPortPage(choice));
    second.PressInstall();
    ASSERT_TRUE(second.AnswerUntilExit([](const ShownMessage&) { return IDNO; }, shown, 120000));

    std::string log = ReadTextFile(TillLogPath());
    EXPECT_TRUE(
        std::regex_search(log, std::regex("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\S+ 安装程序 ")))
        << log;
    std::string version = ReadFileVersion(medium.Exe()).text;
    size_t at = 0;
    std::vector<std::string> failed = WalkLines(version);
    failed.insert(failed.end(),
                  {" 失败：复制驱动文件\r\n", " 复制失败：文件 QR58.GPD，错误 2，来源 ", " 安装失败\r\n",
                   " 显示的消息：复制驱动文件错误", "er = 2", " 安装程序结束\r\n"});
    EXPECT_TRUE(LinesInOrder(log, at, failed));
    std::vector<std::string> succeeded = WalkLines(version);
    succeeded.insert(succeeded.end(),
                     {" 完成：复制驱动文件\r\n", " 完成：注册打印机驱动\r\n", " 完成：添加打印机\r\n",
                      " 安装成功：打印机 QR-58(U) 1\r\n",
                      " 显示的消息：打印机驱动安装成功 请复位打印机使设置生效\r\n", " 安装程序结束\r\n"});
    EXPECT_TRUE(LinesInOrder(log, at, succeeded));
}

// Another program holds the log open without sharing: the wizard skips it and installs.
TEST_F(TillLogTest, LogThatCannotBeOpenedDoesNotStopTheWizard) {
    HANDLE held = CreateFileA(TillLogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    std::vector<ShownMessage> shown = InstallAndFinish();
    CloseHandle(held);
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED_RESET)}, Texts(shown));
    EXPECT_TRUE(ReadPrinter("QR-58(U) 1").found);
    EXPECT_EQ("", ReadTextFile(TillLogPath()));
}

// A hard link in the log's place shares every byte with a file of another name: QelvanDeploy leaves it
// alone, says once on its console that its lines did not reach the till's log, and does its work.
TEST_F(TillLogTest, HardLinkInTheLogsPlaceIsLeftAloneAndSaidOnce) {
    const std::string others = "2026-01-05 08:00:00 another program's own line\r\n";
    std::string linked = medium / "others.log";
    ASSERT_TRUE(WriteTextFile(linked, others));
    ASSERT_TRUE(CreateHardLinkA(TillLogPath().c_str(), linked.c_str(), nullptr));
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    DWORD exitCode = 1;
    std::string output =
        RunAndCapture("\"" + (medium / "QelvanDeploy.exe") + "\" models", exitCode, medium.Path(), 120000);
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_NE(std::string::npos, output.find("QR-58\t")) << output;
    std::string said = "本机日志 " + TillLogPath() + " 无法写入";
    size_t first = output.find(said);
    EXPECT_NE(std::string::npos, first) << output;
    EXPECT_EQ(std::string::npos, output.find(said, first + said.size())) << output;
    EXPECT_EQ(others, ReadTextFile(linked));
}
