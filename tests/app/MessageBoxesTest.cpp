#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "tests/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

TEST(MessageBoxes, AreCaptionedWithTheProgramFileName) {
    EXPECT_STREQ("app_tests", AppTitle());
    MessageBoxWatcher watcher(IDNO);
    EXPECT_EQ(IDNO, ShowAppMessage("请先关闭Drovix!", MB_YESNO));
    ShowWindowMessage(nullptr, "打印机驱动安装成功！");
    auto shown = watcher.Messages();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("app_tests", shown[0].caption);
    EXPECT_EQ("请先关闭Drovix!", shown[0].text);
    EXPECT_EQ("打印机驱动安装成功！", shown[1].text);
}

TEST(MessageBoxes, StringTableTextsArriveInTheAnsiCodePage) {
    char text[200];
    LoadResourceText(IDS_RESTART_QUESTION, text);
    EXPECT_STREQ("重新启动系统使设置生效\n点击“是”立即重启系统\n点击\"否\"以后重启", text);
    char small[5];
    LoadResourceText(IDS_COPY_FAILED, small);
    EXPECT_EQ(4u, strlen(small));
    LoadResourceText(9999, text);
    EXPECT_STREQ("", text);
}
