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

TEST(MediumPaths, TheLongestNameDecidesAndNothingIsReadCut) {
    TempDir base("config");
    // "DRVCONFIG\setup_Embedded.ini" takes 28 characters and a backslash of the 259.
    EXPECT_TRUE(MediumDirectoryFits(MakeDeepDirectory(base.Path(), 230).c_str()));
    std::string tooDeep = MakeDeepDirectory(base.Path(), 231);
    EXPECT_FALSE(MediumDirectoryFits(tooDeep.c_str()));
    ASSERT_TRUE(UseMediumDirectory(tooDeep.c_str()));
    MediumRefusal refusal;
    bool fits = MediumPathsFit(refusal);
    char path[kConfigPathSize];
    BuildCategoryIniPath(Embedded, path);
    UseMediumDirectory("");  // the program directory again
    EXPECT_FALSE(fits);
    EXPECT_NE(nullptr, strstr(refusal, ("安装介质的路径太长：" + tooDeep + " 中").c_str())) << refusal;
    // A path that would be cut is left empty, and its keys read as their defaults.
    EXPECT_STREQ("", path);
}
