// The print processor's file on Windows 98/Me, whose processor folder ("prtprocs\win40") Wine does
// not make: the installation makes it and places the file; a file it cannot place fails the
// installation with a line naming it, never a success.
#include <string>

#include "common/TillLog.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/e2e/E2eSupport.h"

namespace {

const char kInstall98[] = "install /model:QR-58 /port:COM2:";

class Windows98ProcessorTest : public DeployTest {
protected:
    // The fixture's cleanup made the folder, empty, for the test to take away.
    void SetUp() override {
        ASSERT_TRUE(RemoveDirectoryA(folder_.c_str())) << folder_;
        DeleteFileA(TillLogPath().c_str());
    }
    // The folder as the cleanup expects it, for it to remove again.
    void TearDown() override {
        DeleteFileA(folder_.c_str());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    // The copy's failure as QelvanDeploy says it, and the installation that did not happen.
    void ExpectFailedCopy(const std::string& output, unsigned long error) {
        std::string line = "未复制的文件：qvproc.dll，来源 " + (medium / "win98\\qvproc.dll") + "，错误号 ";
        if (error != 0) line += std::to_string(error) + "\r\n";
        EXPECT_TRUE(Says(output, line)) << output;
        EXPECT_TRUE(Says(ReadTextFile(TillLogPath()), line)) << ReadTextFile(TillLogPath());
        EXPECT_FALSE(Says(output, "退出码：3010")) << output;
        EXPECT_FALSE(ReadPrinter("QR-58(S)").found);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(k9xEnvironment, "QelvanProc")));
    }

    std::string folder_ = SpoolerProcessorDirectory(k9xEnvironment);
};

TEST_F(Windows98ProcessorTest, MissingFolderIsMadeAndTheFilePlaced) {
    Expect(3010, kInstall98, "win98");
    std::string placed = ReadTextFile(folder_ + "\\qvproc.dll");
    EXPECT_FALSE(placed.empty());
    EXPECT_EQ(ReadTextFile(medium / "win98\\qvproc.dll"), placed);
    EXPECT_EQ("COM2:", ReadPrinter("QR-58(S)").port);
}

TEST_F(Windows98ProcessorTest, FolderTakenByAPlainFileFailsTheInstallation) {
    ASSERT_TRUE(WriteTextFile(folder_, "not a folder"));
    std::string output = Expect(1603, kInstall98, "win98");
    ExpectFailedCopy(output, 0);
    EXPECT_EQ("not a folder", ReadTextFile(folder_));
}

TEST_F(Windows98ProcessorTest, FileHeldOpenFailsTheInstallation) {
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    std::string file = folder_ + "\\qvproc.dll";
    ASSERT_TRUE(WriteTextFile(file, "held"));
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string output = Expect(1603, kInstall98, "win98");
    CloseHandle(held);
    ExpectFailedCopy(output, ERROR_SHARING_VIOLATION);
    EXPECT_EQ("held", ReadTextFile(file));
    DeleteFileA(file.c_str());
}

}  // namespace
