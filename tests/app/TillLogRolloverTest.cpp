// The till's log rolls over past 1 MB: the old lines go to QelvanSetup.old (one generation, a later
// rollover replaces it) and the run's lines begin a new log.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "common/LogFile.h"
#include "common/TillLog.h"
#include "tests/support/TestSupport.h"

namespace {
void WriteWhole(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}
}  // namespace

TEST(TillLog, RollsOverPastItsLimitKeepingOneGeneration) {
    for (const char* generation : {"first ", "second "}) {
        std::string old(kTillLogLimit + 1, 'x');
        old.replace(0, strlen(generation), generation);
        WriteWhole(TillLogPath(), old);
        ASSERT_TRUE(TillLogLine(std::string("after the ") + generation));
        ASSERT_TRUE(CloseTillLog());
        EXPECT_EQ(old, ReadTextFile(TillLogOldPath()));
        std::string log = ReadTextFile(TillLogPath());
        EXPECT_EQ(std::string::npos, log.find("xxxx"));
        EXPECT_NE(std::string::npos, log.find(std::string(" after the ") + generation + "\r\n")) << log;
    }
    // A log at its limit is kept and appended to.
    WriteWhole(TillLogPath(), std::string(kTillLogLimit, 'y'));
    ASSERT_TRUE(TillLogLine("kept"));
    ASSERT_TRUE(CloseTillLog());
    EXPECT_EQ(0u, ReadTextFile(TillLogPath()).find(std::string(kTillLogLimit, 'y')));
    DeleteFileA(TillLogPath().c_str());
    DeleteFileA(TillLogOldPath().c_str());
}
