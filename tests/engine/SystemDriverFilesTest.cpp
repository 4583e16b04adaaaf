#include <gtest/gtest.h>

#include <string>

#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "engine/SystemDriverFiles.h"
#include "engine/SystemPathApi.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

const char* const kSharedFiles[] = {"ICONLIB.DLL", "UNIDRV.DLL", "TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"};

class SystemDriverFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(FileExists(systemCopy_)) << "the prefix has its own universal driver";
        Cleanup();
    }
    void TearDown() override { Cleanup(); }
    void Cleanup() {
        for (const char* file : kSharedFiles) RemoveFile(Driver(file));
        RemoveFile(systemCopy_);
        RemoveFile(backupCopy_);
        RemoveDirectoryA((WindowsDirectoryPath() + "\\Sysbckup").c_str());
    }
    std::string Driver(const char* file) { return SpoolerDriverDirectory() + "\\" + file; }
    void AddToMedium(const char* subdirectory) {
        for (const char* file : kSharedFiles)
            medium.Add(std::string(subdirectory) + "\\" + file, subdirectory);
    }

    std::string systemCopy_ = SystemDirectoryPath() + "\\UNIDRV.DLL";
    std::string backupCopy_ = WindowsDirectoryPath() + "\\Sysbckup\\UNIDRV.DLL";
    ScratchMedium medium;
    MessageText message = {};
};

TEST_F(SystemDriverFilesTest, Windows98KeepsAPresentUniversalDriver) {
    AddToMedium("win98");
    ASSERT_TRUE(WriteTextFile(systemCopy_, "present"));
    EXPECT_TRUE(InstallSystemDriverFiles(Windows98Me, false, message));
    EXPECT_EQ("win98", ReadTextFile(Driver("ICONLIB.DLL")));
    EXPECT_FALSE(FileExists(Driver("UNIDRV.DLL")));
    EXPECT_EQ("present", ReadTextFile(systemCopy_));
    EXPECT_STREQ("", message);
}

TEST_F(SystemDriverFilesTest, Windows98PrefersTheSystemsBackupCopy) {
    AddToMedium("win98");
    ASSERT_TRUE(WriteTextFile(backupCopy_, "backup"));
    EXPECT_TRUE(InstallSystemDriverFiles(Windows98Me, true, message));
    EXPECT_EQ("backup", ReadTextFile(systemCopy_));
    EXPECT_FALSE(FileExists(Driver("UNIDRV.DLL")));
    EXPECT_FALSE(FileExists(Driver("TTFSUB.GPD")));
    EXPECT_STREQ("", message);
}

TEST_F(SystemDriverFilesTest, Windows98FallsBackToTheMedium) {
    AddToMedium("win98");
    EXPECT_TRUE(InstallSystemDriverFiles(Windows98Me, false, message));
    EXPECT_EQ("win98", ReadTextFile(Driver("UNIDRV.DLL")));
    EXPECT_FALSE(FileExists(systemCopy_));
    EXPECT_STREQ("", message);
}

TEST_F(SystemDriverFilesTest, Windows98FailsAtTheFirstFailedCopy) {
    medium.Add("win98\\readme.txt", "no driver files");
    EXPECT_FALSE(InstallSystemDriverFiles(Windows98Me, false, message));
    EXPECT_EQ("复制驱动文件错误ICONLIB.DLL  er = 2" + CurrentDirectoryPath() + "\\win98\\ICONLIB.DLL",
              std::string(message));

    // The universal driver's copy fails the same way when the icon library was placed.
    medium.Add("win98\\ICONLIB.DLL", "win98");
    message[0] = '\0';
    EXPECT_FALSE(InstallSystemDriverFiles(Windows98Me, false, message));
    EXPECT_EQ("复制驱动文件错误UNIDRV.DLL  er = 2" + CurrentDirectoryPath() + "\\win98\\UNIDRV.DLL",
              std::string(message));
}

UINT WINAPI NoSystemPath(LPSTR, UINT) {
    return 0;
}

TEST_F(SystemDriverFilesTest, Windows98WithoutSystemDirectory) {
    AddToMedium("win98");
    SeamOverride<decltype(SystemPaths().getSystemDirectory)> seam(SystemPaths().getSystemDirectory,
                                                                  NoSystemPath);
    EXPECT_FALSE(InstallSystemDriverFiles(Windows98Me, false, message));
    EXPECT_STREQ("内存不足，程序无法分配必须的内存", message);
    EXPECT_TRUE(FileExists(Driver("ICONLIB.DLL")));
    EXPECT_FALSE(FileExists(Driver("UNIDRV.DLL")));
}

TEST_F(SystemDriverFilesTest, LaterSystemsCopyTheSharedDataFilesOfDdkDrivers) {
    const char* subdirectories[] = {"winnt", "winnt", "win2003", "Vista"};
    for (int system = Windows2000; system <= WindowsVista; ++system) {
        const char* subdirectory = subdirectories[system - Windows2000];
        SCOPED_TRACE(subdirectory);
        AddToMedium(subdirectory);
        EXPECT_TRUE(InstallSystemDriverFiles(system, true, message));
        EXPECT_EQ(subdirectory, ReadTextFile(Driver("TTFSUB.GPD")));
        EXPECT_EQ(subdirectory, ReadTextFile(Driver("STDNAMES.GPD")));
        EXPECT_EQ(subdirectory, ReadTextFile(Driver("UNIRES.DLL")));
        EXPECT_FALSE(FileExists(Driver("ICONLIB.DLL")));
        Cleanup();
    }
    // A shared file missing on the medium is not an error.
    RemoveFile(medium.Path() + "\\winnt\\STDNAMES.GPD");
    RemoveFile(medium.Path() + "\\winnt\\UNIRES.DLL");
    medium.Add("winnt\\TTFSUB.GPD", "only");
    EXPECT_TRUE(InstallSystemDriverFiles(WindowsXP, true, message));
    EXPECT_EQ("only", ReadTextFile(Driver("TTFSUB.GPD")));
    EXPECT_FALSE(FileExists(Driver("UNIRES.DLL")));
    EXPECT_STREQ("", message);
}

BOOL WINAPI MissingDriverDirectory(LPSTR, LPSTR, DWORD, LPBYTE directory, DWORD size, LPDWORD) {
    lstrcpynA(reinterpret_cast<char*>(directory), "C:\\qvtest_no_such_folder", static_cast<int>(size));
    return TRUE;
}

TEST_F(SystemDriverFilesTest, LaterSystemsFailOnASharedFileOfTheMediumThatIsNotPlaced) {
    AddToMedium("winnt");
    SeamOverride<decltype(Spooler().getPrinterDriverDirectory)> seam(Spooler().getPrinterDriverDirectory,
                                                                     MissingDriverDirectory);
    EXPECT_FALSE(InstallSystemDriverFiles(WindowsXP, true, message));
    EXPECT_EQ("复制驱动文件错误TTFSUB.GPD  er = 3" + CurrentDirectoryPath() + "\\winnt\\TTFSUB.GPD",
              std::string(message));
}

TEST_F(SystemDriverFilesTest, NothingWithoutTheDdkFlagOrOnNt4) {
    AddToMedium("winnt");
    InstallSystemDriverFiles(WindowsXP, false, message);
    InstallSystemDriverFiles(WindowsNT4, true, message);
    for (const char* file : kSharedFiles) EXPECT_FALSE(FileExists(Driver(file))) << file;
    EXPECT_STREQ("", message);
}

}  // namespace
