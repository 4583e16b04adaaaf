#include "common/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BoundedText, CopyCutsAtCapacityAndAlwaysTerminates) {
    char buffer[6];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(CopyText(buffer, "abcdefgh"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_TRUE(CopyText(buffer, "abcde"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_TRUE(CopyText(buffer, nullptr));
    EXPECT_STREQ("", buffer);
}

TEST(BoundedText, AppendKeepsWhatFitsAndRepairsUnterminatedBuffers) {
    char buffer[8] = "abc";
    EXPECT_TRUE(AppendText(buffer, "def"));
    EXPECT_STREQ("abcdef", buffer);
    EXPECT_FALSE(AppendText(buffer, "ghi"));
    EXPECT_STREQ("abcdefg", buffer);
    memset(buffer, 'y', sizeof buffer);
    EXPECT_FALSE(AppendText(buffer, "z"));
    EXPECT_EQ('\0', buffer[7]);
}

TEST(BoundedText, FormatReportsTruncation) {
    char buffer[10];
    EXPECT_TRUE(FormatText(buffer, sizeof buffer, "%d,%c", 9600, 'n'));
    EXPECT_STREQ("9600,n", buffer);
    EXPECT_FALSE(FormatText(buffer, sizeof buffer, "%s.PORT", "ABCDEFGHIJ"));
    EXPECT_STREQ("ABCDEFGHI", buffer);
}

TEST(BoundedText, ChineseLiteralsAreGbk) {
    // The build turns UTF-8 literals into the target's ANSI code page.
    const unsigned char expected[] = {0xC7, 0xEB, 0xCF, 0xC8, 0xB9, 0xD8, 0xB1, 0xD5, 0};
    EXPECT_STREQ(reinterpret_cast<const char*>(expected), "请先关闭");
}
