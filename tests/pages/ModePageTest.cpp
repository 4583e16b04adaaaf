#include "pages/ModePage.h"

#include <gtest/gtest.h>

#include "common/SharedTypes.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/pages/PageTestSupport.h"

namespace {
// Style bit rather than IsWindowVisible: the second line lies below the page's bottom edge, where
// only its visibility state, not its appearance, can be seen.
bool HasVisibleStyle(ModePage& page, int id) {
    return (GetWindowLongA(page.GetDlgItem(id), GWL_STYLE) & WS_VISIBLE) != 0;
}
}  // namespace

TEST(ModePage, StartsTypicalAndFollowsTheRadioButtons) {
    PageHost host;
    ModePage page(IDD_MODE_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ(Typical, page.installMode);
    EXPECT_TRUE(IsChecked(page, IDC_TYPICAL));
    EXPECT_FALSE(IsChecked(page, IDC_ADVANCED));
    EXPECT_EQ(ResourceText(IDS_TYPICAL_EXPLANATION), ControlText(page, IDC_MODE_TEXT));
    EXPECT_FALSE(HasVisibleStyle(page, IDC_MODE_TEXT_2));
    EXPECT_FALSE(HasVisibleStyle(page, IDC_MODE_TEXT_3));

    ClickButton(page, IDC_ADVANCED);
    EXPECT_EQ(Advanced, page.installMode);
    EXPECT_TRUE(IsChecked(page, IDC_ADVANCED));
    EXPECT_EQ(ResourceText(IDS_ADVANCED_EXPLANATION), ControlText(page, IDC_MODE_TEXT));
    EXPECT_EQ(ResourceText(IDS_ADVANCED_EXPLANATION_2), ControlText(page, IDC_MODE_TEXT_2));
    EXPECT_TRUE(HasVisibleStyle(page, IDC_MODE_TEXT_2));
    EXPECT_FALSE(HasVisibleStyle(page, IDC_MODE_TEXT_3));

    ClickButton(page, IDC_TYPICAL);
    EXPECT_EQ(Typical, page.installMode);
    EXPECT_TRUE(IsChecked(page, IDC_TYPICAL));
    EXPECT_FALSE(IsChecked(page, IDC_ADVANCED));
    EXPECT_EQ(ResourceText(IDS_TYPICAL_EXPLANATION), ControlText(page, IDC_MODE_TEXT));
    EXPECT_FALSE(HasVisibleStyle(page, IDC_MODE_TEXT_2));
}

TEST(ModePage, ModelWithoutAdvancedSetupForcesTypical) {
    PageHost host;
    ModePage page(IDD_MODE_PAGE);
    ASSERT_TRUE(host.Open(page));
    ClickButton(page, IDC_ADVANCED);
    ASSERT_EQ(Advanced, page.installMode);

    page.ApplyAdvancedSetup(0);
    EXPECT_FALSE(IsEnabled(page, IDC_ADVANCED));
    EXPECT_EQ(Typical, page.installMode);
    EXPECT_TRUE(IsChecked(page, IDC_TYPICAL));
    EXPECT_FALSE(IsChecked(page, IDC_ADVANCED));
    EXPECT_EQ(ResourceText(IDS_TYPICAL_EXPLANATION), ControlText(page, IDC_MODE_TEXT));
    EXPECT_FALSE(HasVisibleStyle(page, IDC_MODE_TEXT_2));

    // A model that offers the advanced mode enables it again and keeps the user's last choice.
    page.ApplyAdvancedSetup(1);
    EXPECT_TRUE(IsEnabled(page, IDC_ADVANCED));
    EXPECT_EQ(Typical, page.installMode);
    ClickButton(page, IDC_ADVANCED);
    page.ApplyAdvancedSetup(1);
    EXPECT_EQ(Advanced, page.installMode);
    EXPECT_TRUE(IsChecked(page, IDC_ADVANCED));
    EXPECT_TRUE(HasVisibleStyle(page, IDC_MODE_TEXT_2));
}
