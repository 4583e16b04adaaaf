// Lines and a lock another run holds: the first line waits the whole wait in vain, the lines behind it
// try once each and wait with it, and all go in, in order, with the first line that takes the lock.
// Lines that never got in are counted when the log closes. A text with "\r\n" line ends becomes lines
// ended "\r\n" once.
#include <gtest/gtest.h>

#include <string>

#include "common/LogFile.h"
#include "common/TillLog.h"
#include "tests/support/TestSupport.h"

namespace {
// The byte every run of the product locks while it writes to a log.
constexpr DWORD kLockedByte = 0x40000000;
// One wait for the lock is 500 tries 10 ms apart.
constexpr DWORD kOneWait = 5000;

// Another run's own handle on the log, which takes the lock and holds it while it lives.
class OtherRun {
public:
    explicit OtherRun(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OtherRun() {
        Release();
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool Hold() { return held_ = LockFile(file_, kLockedByte, 0, 1, 0) != FALSE; }
    void Release() {
        if (held_) UnlockFile(file_, kLockedByte, 0, 1, 0);
        held_ = false;
    }

private:
    HANDLE file_;
    bool held_ = false;
};
}  // namespace

TEST(LogFileLock, LinesBehindAHeldLockWaitOnceAndThoseNeverWrittenAreCounted) {
    TempDir folder("loglock");
    std::string path = folder / "shared.log";
    LogFile log;
    ASSERT_TRUE(log.Open(path.c_str()));
    OtherRun other(path);
    ASSERT_TRUE(other.Hold());
    EXPECT_EQ(LogFile::Outcome::WaitedInVain, log.Append("first"));
    DWORD start = GetTickCount();
    for (const char* line : {"second", "third", "fourth"})
        EXPECT_EQ(LogFile::Outcome::Queued, log.Append(line));
    // Three lines that each waited again would have cost three waits.
    EXPECT_LT(GetTickCount() - start, kOneWait);
    other.Release();
    EXPECT_EQ(LogFile::Outcome::Written, log.Append("fifth"));
    std::string text = ReadTextFile(path);
    size_t at = 0;
    for (const char* line : {" first\r\n", " second\r\n", " third\r\n", " fourth\r\n", " fifth\r\n"}) {
        at = text.find(line, at);
        EXPECT_NE(std::string::npos, at) << line << "\n" << text;
    }

    ASSERT_TRUE(other.Hold());
    log.Append("lost one");
    log.Append("lost two");
    EXPECT_EQ(2u, log.Close());
    other.Release();
    EXPECT_EQ(std::string::npos, ReadTextFile(path).find("lost"));
}

TEST(LogFileLock, EveryLineOfATextEndsWithOneLineEnd) {
    DeleteFileA(TillLogPath().c_str());
    ASSERT_TRUE(TillLogLine("port chosen\r\nserial settings\r\n\r\nlast"));
    ASSERT_TRUE(CloseTillLog());
    std::string log = ReadTextFile(TillLogPath());
    DeleteFileA(TillLogPath().c_str());
    EXPECT_EQ(std::string::npos, log.find("\r\r")) << log;
    for (const char* line : {" port chosen\r\n", " serial settings\r\n", " last\r\n"})
        EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
}
