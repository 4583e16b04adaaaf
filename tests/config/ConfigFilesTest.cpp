#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/ConfigValues.h"
#include "config/MediumPaths.h"
#include "config/SetupConfig.h"
#include "tests/config/ConfigMedium.h"

TEST(ConfigValues, DecimalConversionStopsAtTheFirstNonDigit) {
    EXPECT_EQ(12, DecimalValue("12abc"));
    EXPECT_EQ(0, DecimalValue("abc"));
    EXPECT_EQ(9600, DecimalValue("  9600"));
    EXPECT_EQ(-3, DecimalValue("-3"));
    EXPECT_EQ(0, DecimalValue(""));
    EXPECT_EQ(0, DecimalValue(nullptr));
}

TEST(ConfigPaths, FollowTheProgramDirectoryWhateverTheWorkingDirectory) {
    ConfigMedium elsewhere;  // the working directory is not the program's
    char common[kConfigPathSize], category[kConfigPathSize];
    BuildConfigPaths(Label, common, category);
    EXPECT_EQ(ExeDir() + "DRVCONFIG\\setup.ini", common);
    EXPECT_EQ(ExeDir() + "DRVCONFIG\\setup_Lable.ini", category);
    BuildConfigPaths(7, common, category);
    EXPECT_EQ(ExeDir(), category);
    EXPECT_EQ(ExeDir() + "DRVCONFIG\\setup.ini", common);
    BuildCategoryIniPath(Receipt, category);
    EXPECT_EQ(ExeDir() + "DRVCONFIG\\setup_receipt.ini", category);
}

TEST(ConfigPaths, TheReaderFollowsTheWorkingDirectory) {
    ConfigMedium medium;
    SetupConfig config;
    EXPECT_EQ(medium.Path() + "\\DRVCONFIG\\setup.ini", config.commonFile);
    EXPECT_STREQ("DRVCONFIG\\setup_lable.ini", config.categoryFiles[Label]);
    EXPECT_STREQ("", config.currentFile);
}

TEST(ConfigValues, SectionNamesAreCutNotOverrun) {
    char section[200];
    BuildDescriptorSection("P58", WindowsVista, section);
    EXPECT_STREQ("P58.Vista", section);
    BuildDescriptorSection("P58", 6, section);
    EXPECT_STREQ("", section);
    std::string longName(250, 'M');
    BuildPortSection(longName.c_str(), section);
    EXPECT_EQ(199u, strlen(section));
}

TEST(PortSection, ValuesFollowTheProfileRules) {
    ConfigMedium medium;
    medium.Write("setup_Ticket.ini",
                 "[T80.PORT]\r\n"
                 "BaudRate = 9600 \r\n"
                 "usbsupported=12abc\r\n"
                 "LPTDEFAULT=abc\r\n"
                 "AdvancedSetup=\"1\"\r\n");
    std::string file = medium.Path() + "\\DRVCONFIG\\setup_Ticket.ini";
    EXPECT_EQ(9600, ReadPortSectionValue(file.c_str(), "T80", "BaudRate"));
    EXPECT_EQ(12, ReadPortSectionValue(file.c_str(), "t80", "USBSUPPORTED"));
    EXPECT_EQ(0, ReadPortSectionValue(file.c_str(), "T80", "LPTDEFAULT"));
    EXPECT_EQ(1, ReadPortSectionValue(file.c_str(), "T80", "AdvancedSetup"));
    EXPECT_EQ(0, ReadPortSectionValue(file.c_str(), "T80", "System2003Supported"));
    EXPECT_EQ(0, ReadPortSectionValue(file.c_str(), "T81", "BaudRate"));
    EXPECT_EQ(0, ReadPortSectionValue((medium.Path() + "\\DRVCONFIG\\").c_str(), "T80", "BaudRate"));
}

namespace {
// The program directory's place taken by a medium directory for the test's length.
class MediumDirectoryScope {
public:
    explicit MediumDirectoryScope(const std::string& directory) {
        fits_ = UseMediumDirectory(directory.c_str());
    }
    ~MediumDirectoryScope() { UseMediumDirectory(""); }
    MediumDirectoryScope(const MediumDirectoryScope&) = delete;
    MediumDirectoryScope& operator=(const MediumDirectoryScope&) = delete;
    bool Fits() const { return fits_; }

private:
    bool fits_ = false;
};
}  // namespace

TEST(MediumPaths, DeepMediumIsReadWholeOrRefused) {
    TempDir base("config");
    // 175 characters: the category file's path takes 204, more than the readers once had room for.
    std::string deep = MakeDeepDirectory(base.Path(), 175);
    ASSERT_EQ(175u, deep.size());
    WriteTextFile(deep + "\\DRVCONFIG\\setup.ini",
                  "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=QE-58M-EmbeddedPrinter\r\n");
    WriteTextFile(deep + "\\DRVCONFIG\\setup_Embedded.ini",
                  "[QE-58M.PORT]\r\nUSBSUPPORTED=1\r\n[QE-58M.XP]\r\nSTDDriverName=Qelvan QE-58M\r\n");
    {
        CurrentDirectoryScope working(deep);
        MediumDirectoryScope medium(deep);
        ASSERT_TRUE(medium.Fits());
        MediumRefusal refusal;
        EXPECT_TRUE(MediumPathsFit(refusal)) << refusal;
        char path[kConfigPathSize];
        BuildCategoryIniPath(Embedded, path);
        EXPECT_EQ(1, ReadPortSectionValue(path, "QE-58M", "USBSUPPORTED"));
        SetupConfig config;
        config.currentCategory = Embedded;
        EXPECT_EQ(1, config.GetDeviceCount());
        DRIVER_INFO_3A info = {};
        config.ReadDriverInfo("QE-58M", WindowsXP, info, 0);
        EXPECT_STREQ("Qelvan QE-58M", info.pName);
    }

    // The longest name, "DRVCONFIG\setup_Embedded.ini", needs 28 characters and a backslash.
    EXPECT_TRUE(MediumDirectoryFits(MakeDeepDirectory(base.Path(), 230).c_str()));
    std::string tooDeep = MakeDeepDirectory(base.Path(), 231);
    ASSERT_EQ(231u, tooDeep.size());
    EXPECT_FALSE(MediumDirectoryFits(tooDeep.c_str()));
    std::string named = "安装介质的路径太长：" + tooDeep + " 中";
    CurrentDirectoryScope working(tooDeep);
    MediumRefusal refusal;
    EXPECT_FALSE(MediumPathsFit(refusal));  // the working directory
    EXPECT_NE(nullptr, strstr(refusal, named.c_str())) << refusal;
    MediumDirectoryScope medium(tooDeep);
    ASSERT_TRUE(medium.Fits());
    // Never a cut path: one that would be cut is left empty and its keys read as their defaults.
    char path[kConfigPathSize];
    BuildCategoryIniPath(Embedded, path);
    EXPECT_STREQ("", path);
    SetCurrentDirectoryA(base.Path().c_str());
    refusal[0] = '\0';
    EXPECT_FALSE(MediumPathsFit(refusal));  // the program directory's place
    EXPECT_NE(nullptr, strstr(refusal, named.c_str())) << refusal;
}
