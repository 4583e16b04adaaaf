// The licence page of the running wizard: the text of License.txt, decline at start, and the Next
// button following the choice.
#include <gtest/gtest.h>

#include "resources/ControlIds.h"
#include "tests/ui/UiTestSupport.h"

TEST(LicensePage, DeclineAtStartAndNextFollowsTheChoice) {
    WizardDriver driver;
    HWND wizard = StartWizard(driver);
    ASSERT_NE(nullptr, wizard);
    HWND accept = WizardDriver::Control(wizard, IDC_ACCEPT);
    HWND decline = WizardDriver::Control(wizard, IDC_DECLINE);
    HWND next = GetDlgItem(wizard, IDOK);
    ASSERT_NE(nullptr, accept);
    ASSERT_NE(nullptr, decline);

    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(decline));
    EXPECT_EQ(BST_UNCHECKED, WizardDriver::Check(accept));
    EXPECT_FALSE(WizardDriver::IsEnabled(next));
    EXPECT_FALSE(WizardDriver::IsEnabled(GetDlgItem(wizard, IDC_BACK)));

    driver.Click(accept);
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(accept));
    EXPECT_TRUE(WizardDriver::IsEnabled(next));

    driver.Click(decline);
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(decline));
    EXPECT_FALSE(WizardDriver::IsEnabled(next));

    driver.Click(accept);
    EXPECT_TRUE(WizardDriver::IsEnabled(next));
    EXPECT_TRUE(CancelWizard(driver, wizard));
}

TEST(LicensePage, ShowsTheLicenceFileAsItsBytesStand) {
    WizardDriver driver;
    HWND wizard = StartWizard(driver);
    ASSERT_NE(nullptr, wizard);
    HWND text = WizardDriver::Control(wizard, IDC_LICENSE_TEXT);
    ASSERT_NE(nullptr, text);
    std::string expected = ReadTextFile(WizardDriver::BuiltMedium() + "\\License.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected, WizardDriver::Text(text));
    EXPECT_TRUE(WizardDriver::IsVisible(text));
    EXPECT_TRUE(CancelWizard(driver, wizard));
}

TEST(LicensePage, EmptyLicenceGivesAnEmptyBoxAndNoMessage) {
    TempDir medium("qelvan-ui");
    ASSERT_TRUE(WizardDriver::CopyTree(WizardDriver::BuiltMedium(), medium.Path()));
    ASSERT_TRUE(WriteTextFile(medium / "License.txt", ""));
    WizardDriver driver;
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", kTestWindowsVersion);
    ASSERT_TRUE(driver.Launch(medium / "QelvanSetup.exe", medium.Path()));
    HWND wizard = driver.WaitForWindow(kWizardCaption);
    ASSERT_NE(nullptr, wizard);
    EXPECT_EQ("", WizardDriver::Text(WizardDriver::Control(wizard, IDC_LICENSE_TEXT)));
    ShownMessage message;
    EXPECT_EQ(nullptr, driver.WaitForMessageBox(message, 300)) << message.text;
    EXPECT_TRUE(CancelWizard(driver, wizard));
}
