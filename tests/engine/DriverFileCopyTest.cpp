#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/DriverFileCopy.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "engine/SystemPathApi.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

const char kCopyFailed[] = "复制驱动文件错误";

class CopyDriverFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : created_) RemoveFile(path);
    }
    // A destination the test expects to appear; removed when the test ends.
    std::string Expect(const std::string& path) {
        created_.push_back(path);
        RemoveFile(path);
        return path;
    }
    ScratchMedium medium;
    MessageText message = {};
    std::vector<std::string> created_;
};

TEST_F(CopyDriverFileTest, TakesTheFileFromTheSystemsSubdirectory) {
    medium.Add("win98\\qvtest_src.txt", "98");
    medium.Add("winnt\\qvtest_src.txt", "nt");
    medium.Add("win2003\\qvtest_src.txt", "2003");
    medium.Add("Vista\\qvtest_src.txt", "vista");
    const char* expected[] = {"98", "nt", "nt", "nt", "2003", "vista"};
    std::string destination = Expect(SpoolerDriverDirectory() + "\\qvtest_src.txt");
    for (int system = Windows98Me; system <= WindowsVista; ++system) {
        SCOPED_TRACE(system);
        EXPECT_EQ(1, CopyDriverFile("qvtest_src.txt", DriverDirectory, system, false, message));
        EXPECT_EQ(expected[system], ReadTextFile(destination));
    }
    EXPECT_STREQ("", message);
    // Another system value adds no sub-directory, not even a separator.
    EXPECT_EQ(0, CopyDriverFile("qvtest_src.txt", DriverDirectory, WindowsVista + 1, false, message));
    EXPECT_EQ("复制驱动文件错误qvtest_src.txt  er = 2" + CurrentDirectoryPath() + "qvtest_src.txt",
              std::string(message));
}

TEST_F(CopyDriverFileTest, CopiesIntoEachTargetDirectory) {
    medium.Add("winnt\\qvtest_target.txt", "target");
    CreateDirectoryA((SpoolerDriverDirectory() + "\\3").c_str(), nullptr);
    struct {
        int target;
        std::string directory;
    } targets[] = {{DriverDirectory, SpoolerDriverDirectory()},
                   {ProcessorDirectory, SpoolerProcessorDirectory()},
                   {SystemDirectory, SystemDirectoryPath()},
                   {InfDirectory, WindowsDirectoryPath() + "\\inf"},
                   {DriverVersion3Directory, SpoolerDriverDirectory() + "\\3"}};
    for (const auto& target : targets) {
        SCOPED_TRACE(target.directory);
        std::string destination = Expect(target.directory + "\\qvtest_target.txt");
        EXPECT_EQ(1, CopyDriverFile("qvtest_target.txt", target.target, WindowsXP, false, message));
        EXPECT_EQ("target", ReadTextFile(destination));
    }
    EXPECT_STREQ("", message);

    EXPECT_EQ(0, CopyDriverFile("qvtest_target.txt", 66003, WindowsXP, false, message));
    EXPECT_STREQ("目录类型错误", message);
}

TEST_F(CopyDriverFileTest, NamesThatNameNoFileCopyNothing) {
    medium.Add("winnt\\0", "zero");
    medium.Add("winnt\\0qvtest.txt", "zero");
    const char* names[] = {nullptr, "", "0", "0qvtest.txt"};
    for (const char* name : names) {
        EXPECT_EQ(0, CopyDriverFile(name, DriverDirectory, WindowsXP, false, message));
    }
    EXPECT_STREQ("", message);
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\0"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\0qvtest.txt"));
}

TEST_F(CopyDriverFileTest, PrefixedCopyAddsTheLetterN) {
    std::string longName = "qvtest_a_name_well_beyond_eighteen_characters.dll";
    medium.Add("win98\\qvtest_mon.dll", "short");
    medium.Add("win98\\" + longName, "long");
    std::string shortCopy = Expect(SpoolerDriverDirectory() + "\\nqvtest_mon.dll");
    std::string longCopy = Expect(SpoolerDriverDirectory() + "\\n" + longName);
    Expect(SpoolerDriverDirectory() + "\\qvtest_mon.dll");
    EXPECT_EQ(1, CopyDriverFile("qvtest_mon.dll", DriverDirectory, Windows98Me, true, message));
    EXPECT_EQ(1, CopyDriverFile(longName.c_str(), DriverDirectory, Windows98Me, true, message));
    EXPECT_EQ("short", ReadTextFile(shortCopy));
    EXPECT_EQ("long", ReadTextFile(longCopy));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\qvtest_mon.dll"));
    EXPECT_STREQ("", message);
}

TEST_F(CopyDriverFileTest, DestinationInUseAnswers32WithoutMessage) {
    medium.Add("winnt\\qvtest_busy.dll", "new");
    std::string destination = Expect(SpoolerDriverDirectory() + "\\qvtest_busy.dll");
    ASSERT_TRUE(WriteTextFile(destination, "old"));
    HANDLE held = CreateFileA(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(32, CopyDriverFile("qvtest_busy.dll", DriverDirectory, WindowsXP, false, message));
    CloseHandle(held);
    EXPECT_STREQ("", message);
    EXPECT_EQ("old", ReadTextFile(destination));
    // A read-only copy left by an earlier installation is replaced.
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, CopyDriverFile("qvtest_busy.dll", DriverDirectory, WindowsXP, false, message));
    EXPECT_EQ("new", ReadTextFile(destination));
}

TEST_F(CopyDriverFileTest, PlacingFailsOnADestinationInUseWithItsNameAndCode) {
    medium.Add("winnt\\qvtest_held.dll", "new");
    std::string destination = Expect(SpoolerDriverDirectory() + "\\nqvtest_held.dll");
    ASSERT_TRUE(WriteTextFile(destination, "old"));
    HANDLE held = CreateFileA(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ForgetCopyFailure();
    EXPECT_FALSE(PlaceDriverFile("qvtest_held.dll", DriverDirectory, WindowsXP, true, message));
    CloseHandle(held);
    std::string source = CurrentDirectoryPath() + "\\winnt\\qvtest_held.dll";
    EXPECT_EQ(std::string(kCopyFailed) + "nqvtest_held.dll  er = 32" + source, message);
    EXPECT_STREQ("nqvtest_held.dll", LastCopyFailure().name);
    EXPECT_EQ(32u, LastCopyFailure().error);
    EXPECT_EQ("old", ReadTextFile(destination));
    // Nothing to copy is no failure.
    message[0] = '\0';
    EXPECT_TRUE(PlaceDriverFile("0", DriverDirectory, WindowsXP, false, message));
    EXPECT_STREQ("", message);
}

TEST_F(CopyDriverFileTest, MissingSourceReportsNameCodeAndSourcePath) {
    medium.Add("win2003\\qvtest_other.dll", "other");
    std::string source = CurrentDirectoryPath() + "\\win2003\\qvtest_missing.dll";
    EXPECT_EQ(0, CopyDriverFile("qvtest_missing.dll", DriverDirectory, WindowsServer2003, false, message));
    EXPECT_EQ(std::string(kCopyFailed) + "qvtest_missing.dll  er = 2" + source, message);
    EXPECT_EQ(0, CopyDriverFile("qvtest_missing.dll", DriverDirectory, WindowsServer2003, true, message));
    EXPECT_EQ(std::string(kCopyFailed) + "nqvtest_missing.dll  er = 2" + source, message);
}

TEST_F(CopyDriverFileTest, NamesThatLeaveTheirDirectoryAreRefused) {
    medium.Add("qvtest_escape.dll", "outside");
    medium.Add("winnt\\sub\\qvtest_escape.dll", "deeper");
    const char* names[] = {"..\\qvtest_escape.dll", "sub\\qvtest_escape.dll", "sub/qvtest_escape.dll",
                           "C:qvtest_escape.dll", ".."};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        message[0] = '\0';
        EXPECT_EQ(0, CopyDriverFile(name, DriverDirectory, WindowsXP, false, message));
        EXPECT_EQ(std::string(kCopyFailed) + name + CurrentDirectoryPath() + "\\winnt\\" + name, message);
    }
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\qvtest_escape.dll"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\..\\qvtest_escape.dll"));
    EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\sub\\qvtest_escape.dll"));

    // Two dots inside a plain name climb nowhere.
    medium.Add("winnt\\qvtest..v2.dll", "v2");
    std::string destination = Expect(SpoolerDriverDirectory() + "\\qvtest..v2.dll");
    EXPECT_EQ(1, CopyDriverFile("qvtest..v2.dll", DriverDirectory, WindowsXP, false, message));
    EXPECT_EQ("v2", ReadTextFile(destination));
}

TEST_F(CopyDriverFileTest, PathsBeyondTheLimitFailWithoutCopying) {
    // The source path fits, the destination path in the longer driver directory does not.
    std::string base = CurrentDirectoryPath() + "\\winnt\\";
    std::string name = "qvtest_" + std::string(kCopyPathSize - 1 - base.size() - 7, 'x');
    ASSERT_LT(base.size() + name.size(), kCopyPathSize);
    ASSERT_GE(SpoolerDriverDirectory().size() + 1 + name.size(), kCopyPathSize);
    medium.Add("winnt\\" + name, "long");
    EXPECT_EQ(0, CopyDriverFile(name.c_str(), DriverDirectory, WindowsXP, false, message));
    EXPECT_EQ(std::string(kCopyFailed) + name + "  er = 206" + base + name, message);

    // A source path that does not fit is reported cut to the message's room, never beyond it.
    std::string tooLong(300, 'y');
    EXPECT_EQ(0, CopyDriverFile(tooLong.c_str(), SystemDirectory, WindowsXP, false, message));
    std::string cutName(kCopyPathSize - 1, 'y');
    EXPECT_EQ(0u, std::string(message).find(std::string(kCopyFailed) + cutName + "  er = 206" + base));
}

// The directory queries fail only through the seams: Wine always answers them.
BOOL WINAPI NoSpoolerDirectory(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
}
UINT WINAPI NoSystemPath(LPSTR, UINT) {
    return 0;
}
UINT WINAPI LongSystemPath(LPSTR, UINT) {
    return 300;
}

TEST_F(CopyDriverFileTest, DirectoryThatCannotBeObtained) {
    medium.Add("winnt\\qvtest_dir.txt", "x");
    auto run = [this](int target) {
        message[0] = '\0';
        EXPECT_EQ(0, CopyDriverFile("qvtest_dir.txt", target, WindowsXP, false, message));
        return std::string(message);
    };
    {
        SeamOverride<decltype(Spooler().getPrinterDriverDirectory)> seam(Spooler().getPrinterDriverDirectory,
                                                                         NoSpoolerDirectory);
        EXPECT_EQ("获取打印机驱动目录错误", run(DriverDirectory));
        EXPECT_EQ("获取打印机驱动目录错误", run(DriverVersion3Directory));
    }
    {
        SeamOverride<decltype(Spooler().getPrintProcessorDirectory)> seam(
            Spooler().getPrintProcessorDirectory, NoSpoolerDirectory);
        EXPECT_EQ("获取打印机打印处理器目录目录错误", run(ProcessorDirectory));
    }
    {
        SeamOverride<decltype(SystemPaths().getSystemDirectory)> seam(SystemPaths().getSystemDirectory,
                                                                      NoSystemPath);
        EXPECT_EQ("获取系统目录错误", run(SystemDirectory));
    }
    {
        SeamOverride<decltype(SystemPaths().getSystemDirectory)> seam(SystemPaths().getSystemDirectory,
                                                                      LongSystemPath);
        EXPECT_EQ("获取系统目录错误", run(SystemDirectory));
    }
    {
        SeamOverride<decltype(SystemPaths().getWindowsDirectory)> seam(SystemPaths().getWindowsDirectory,
                                                                       NoSystemPath);
        EXPECT_EQ("获取windows目录错误", run(InfDirectory));
    }
}

TEST_F(CopyDriverFileTest, CurrentDirectoryBeyondTheLimit) {
    // The deepest current directory the system takes (MAX_PATH - 2 characters) fits the copy's
    // buffer but leaves no room for the system folder and the file: the source path would be cut.
    std::string deep = MakeDeepDirectory(medium.Path(), kCopyPathSize - 2);
    ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str())) << deep;
    EXPECT_EQ(0, CopyDriverFile("qvtest_deep.txt", DriverDirectory, WindowsXP, false, message));
    EXPECT_EQ(0u, std::string(message).find("复制驱动文件错误qvtest_deep.txt  er = 206")) << message;
}

}  // namespace
