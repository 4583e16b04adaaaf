// The till's log rolls over past 1 MB: the old lines go to QelvanSetup.old (one generation, a later
// rollover replaces it) and the run's lines begin a new log. Two runs that find the log past its limit
// together roll it over once, and every line of both is in the new log once; a log's size is compared
// whole, past 4 GiB as well.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <thread>

#include "common/LogFile.h"
#include "common/LogRollover.h"
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

namespace {
constexpr int kRacingLines = 20;

std::string RacingLine(int run, int line) {
    return "run " + std::to_string(run) + " line " + std::to_string(line);
}

// A run of its own (its own handle on the log, as another program has) that opens the log, waits for
// the start and writes its lines.
void RaceThrough(const std::string& path, const std::string& oldPath, DWORD limit, HANDLE start, int run) {
    LogFile log;
    if (!log.Open(path.c_str(), limit, oldPath.c_str())) return;
    WaitForSingleObject(start, INFINITE);
    for (int line = 0; line < kRacingLines; ++line) log.Append(RacingLine(run, line));
    log.Close();
}

size_t Occurrences(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}
}  // namespace

// Round after round, two runs start writing together to a log past its limit. The limit is large, so
// that the copy of the old generation takes long enough for the other run to try the lock meanwhile.
TEST(TillLog, TwoRunsRollingOverTogetherKeepEveryLineOnce) {
    constexpr DWORD kLimit = 32 * 1024 * 1024;
    TempDir folder("tillrace");
    std::string path = folder / "race.log", oldPath = folder / "race.old";
    std::string past(kLimit + 1, 'x');
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (int round = 0; round < 4; ++round) {
        WriteWhole(path, past);
        DeleteFileA(oldPath.c_str());
        ResetEvent(start);
        std::thread first(RaceThrough, path, oldPath, kLimit, start, 1);
        std::thread second(RaceThrough, path, oldPath, kLimit, start, 2);
        Sleep(100);
        SetEvent(start);
        first.join();
        second.join();
        EXPECT_TRUE(ReadTextFile(oldPath) == past)
            << "round " << round << ": the old generation is not the log as it was";
        std::string log = ReadTextFile(path);
        EXPECT_EQ(std::string::npos, log.find('x')) << "round " << round;
        for (int run = 1; run <= 2; ++run) {
            for (int line = 0; line < kRacingLines; ++line)
                EXPECT_EQ(1u, Occurrences(log, " " + RacingLine(run, line) + "\r\n"))
                    << "round " << round << "\n"
                    << log;
        }
        if (HasFailure()) break;
    }
    CloseHandle(start);
}

TEST(TillLog, SizeIsComparedWhole) {
    EXPECT_FALSE(PastLimit(kTillLogLimit, 0, kTillLogLimit));
    EXPECT_TRUE(PastLimit(kTillLogLimit + 1, 0, kTillLogLimit));
    // 4 GiB + 100 bytes, and 8 GiB exactly: their low halves are small.
    EXPECT_TRUE(PastLimit(100, 1, kTillLogLimit));
    EXPECT_TRUE(PastLimit(0, 2, kTillLogLimit));
}
