// A link in the place of the till's log is left alone: a symbolic link or a hard link in
// QelvanSetup.log's place, or a symbolic link in QelvanSetup.old's place at a rollover, never carries a
// line to, empties, renames or deletes the file it reaches; the run's lines are skipped (the callers
// say so) and the run goes on. Wine 8 shows a symbolic link to a file as that file: the log's attribute
// query goes through its seam to the Unix check, as Windows shows such a link.
#include <gtest/gtest.h>

#include <fstream>

#include "common/LogFile.h"
#include "common/PathAttributesApi.h"
#include "common/TillLog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnixLink.h"

namespace {
const char kOthersText[] = "2026-01-05 08:00:00 another program's own line\r\n";

void WriteWhole(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// Attributes as Windows shows a link to a file, for the length of a test.
class LinksShownAsOnWindows {
public:
    LinksShownAsOnWindows() : saved_(PathAttributes()) {
        PathAttributes().getFileAttributes = AttributesWithUnixLinks;
    }
    ~LinksShownAsOnWindows() { PathAttributes() = saved_; }
    LinksShownAsOnWindows(const LinksShownAsOnWindows&) = delete;
    LinksShownAsOnWindows& operator=(const LinksShownAsOnWindows&) = delete;

private:
    PathAttributesApi saved_;
};

class TillLogLinks : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(TillLogPath().c_str());
        DeleteFileA(TillLogOldPath().c_str());
        WriteWhole(others, kOthersText);
    }
    void TearDown() override {
        CloseTillLog();
        // Each removes a name alone: a symbolic link goes through RemoveUnixLink first.
        DeleteFileA(TillLogPath().c_str());
        DeleteFileA(TillLogOldPath().c_str());
    }

    TempDir folder{"tilllog"};
    std::string others = folder / "others.log";
};
}  // namespace

TEST_F(TillLogLinks, SymbolicLinkInTheLogsPlaceIsLeftAlone) {
    ASSERT_TRUE(MakeUnixLink(others, TillLogPath()));
    UnixLinksRemoved removed({TillLogPath()});
    LinksShownAsOnWindows shown;
    EXPECT_FALSE(TillLogLine("第一行"));
    EXPECT_FALSE(TillLogLine("第二行"));
    CloseTillLog();
    EXPECT_EQ(kOthersText, ReadTextFile(others));
    EXPECT_TRUE(IsUnixLink(TillLogPath()));
}

TEST_F(TillLogLinks, HardLinkInTheLogsPlaceIsLeftAlone) {
    ASSERT_TRUE(CreateHardLinkA(TillLogPath().c_str(), others.c_str(), nullptr));
    EXPECT_FALSE(TillLogLine("第一行"));
    EXPECT_FALSE(TillLogLine("第二行"));
    CloseTillLog();
    EXPECT_EQ(kOthersText, ReadTextFile(others));
    EXPECT_EQ(kOthersText, ReadTextFile(TillLogPath()));
}

// The log rolls over no more while a link is in the old generation's place: its lines stay in it.
TEST_F(TillLogLinks, SymbolicLinkInTheOldGenerationsPlaceKeepsTheLogWhole) {
    std::string past(kTillLogLimit + 1, 'x');
    WriteWhole(TillLogPath(), past);
    ASSERT_TRUE(MakeUnixLink(others, TillLogOldPath()));
    UnixLinksRemoved removed({TillLogOldPath()});
    LinksShownAsOnWindows shown;
    EXPECT_TRUE(TillLogLine("past the limit"));
    EXPECT_TRUE(TillLogLine("still past it"));
    EXPECT_TRUE(CloseTillLog());
    EXPECT_EQ(kOthersText, ReadTextFile(others));
    EXPECT_TRUE(IsUnixLink(TillLogOldPath()));
    std::string log = ReadTextFile(TillLogPath());
    EXPECT_EQ(0u, log.find(past));
    EXPECT_NE(std::string::npos, log.find(" past the limit\r\n", past.size()));
    EXPECT_NE(std::string::npos, log.find(" still past it\r\n", past.size()));
}
