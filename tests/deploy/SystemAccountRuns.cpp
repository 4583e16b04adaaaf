// QelvanDeploy's commands run inside this test as a management suite's service runs them, under the
// system account: Wine never runs a program so, and the account check is the one call the test
// replaces. Everything else is the real spooler, registry and medium copy.
#include <string>
#include <vector>

#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "engine/DefaultPrinter.h"
#include "engine/SeamOverride.h"
#include "engine/SystemAccount.h"
#include "tests/e2e/E2eSupport.h"

namespace {

bool SystemAccount() {
    return true;
}

class SystemAccountRun : public ::testing::Test {
protected:
    // Runs one command of the medium copy in this process; its exit code. The lines go to log.
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "QelvanDeploy.exe");
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(&word[0]);
        Switches switches(static_cast<int>(argv.size()), argv.data());
        CurrentDirectoryScope start(medium.Path());
        if (!OpenDeployLog(log.c_str())) return -1;
        RouteMessagesToOutput();
        int exitCode = kExitRefused;
        if (CheckRunningSystem() && OpenMedium(medium.Path().c_str())) {
            exitCode =
                switches.Command() == "export" ? RunExportCommand(switches) : RunInstallCommand(switches);
        }
        CloseDeployLog();
        return exitCode;
    }
    static size_t Count(const std::string& text, const std::string& part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
        return count;
    }

    InstallationCleanup cleanup;
    MediumCopy medium;
    std::string log = medium / "run.log";
    std::string profile = medium / "till.ini";
};

TEST_F(SystemAccountRun, TheDefaultPrinterIsLeftToEachUserAndTheRestIsDone) {
    std::string before = DefaultPrinterDevice();
    {
        SeamOverride<decltype(RunsAsSystemAccount)> seam(RunsAsSystemAccount, SystemAccount);
        // Installed and then kept: neither run sets a default or says one is being set, and both end
        // with 0, the installation being done.
        EXPECT_EQ(kExitDone, Run({"install", "/model:QT-200", "/default"}));
        EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
        EXPECT_EQ(kExitDone, Run({"install", "/model:QT-200", "/default"}));
        std::string said = ReadTextFile(log);
        EXPECT_EQ(2u, Count(said, "未设为默认打印机：默认打印机属于每个用户")) << said;
        EXPECT_EQ(2u, Count(said, "QelvanDeploy install /model:型号 /default")) << said;
        EXPECT_EQ(2u, Count(said, "PrintUIEntry /y /n \"打印机名\"（Windows 2000 及以后）；用户是管理员时"))
            << said;
        EXPECT_EQ(0u, Count(said, "正在设为默认打印机")) << said;
        EXPECT_EQ(before, DefaultPrinterDevice());

        // The system account's own default is no person's: export writes none.
        ASSERT_TRUE(MakeDefaultPrinter("QT-200(P)"));
        EXPECT_EQ(kExitDone, Run({"export", "/file:" + profile}));
        EXPECT_NE(std::string::npos,
                  ReadTextFile(profile).find("Port=LPT1:\r\nAdvanced=No\r\nDefault=No\r\n"))
            << ReadTextFile(profile);
        EXPECT_EQ(1u, Count(ReadTextFile(log), "未导出默认打印机：")) << ReadTextFile(log);
    }
    // The real check: this test runs as a person, whose default is exported.
    EXPECT_FALSE(RunsAsSystemAccountToken());
    EXPECT_EQ(kExitDone, Run({"export", "/file:" + profile}));
    EXPECT_NE(std::string::npos, ReadTextFile(profile).find("Port=LPT1:\r\nAdvanced=No\r\nDefault=Yes\r\n"))
        << ReadTextFile(profile);
}

}  // namespace
