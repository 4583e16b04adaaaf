#pragma once
// A log file that runs append to: each line "YYYY-MM-DD hh:mm:ss COMPUTER text" in the program's code
// page, written at the end the file has at that moment while the run holds a lock on one byte far beyond
// the end, a byte every run of every program of the product takes before it writes. Runs on many tills
// sharing one log, or the wizard and the deployment program on one till, never write over each other's
// lines. A line that cannot take the lock waits and goes in with the next line that takes it; no line is
// ever written without the lock. A log opened with a size limit (a log of this till alone) rolls over to
// its ".old" name (common/LogRollover.h) under the lock of the line that finds it past the limit, and is
// never written through a link in its place.

#include <windows.h>

#include <string>

class LogFile {
public:
    // What became of a line.
    enum class Outcome {
        Written,       // it is in the file, with every line that waited before it
        WaitedInVain,  // it waited the whole wait for the lock and now waits for the next line
        Queued,        // lines were waiting already: one try, and it waits with them
        NotWritten,    // the file is not open, or refused the write
    };

    LogFile();
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens path for appending (created when missing). With a limit, the log rolls over to oldPath
    // when a line finds it larger than limit bytes; since it is then emptied and its old generation
    // replaced, a symbolic link (a reparse point) or a file with another name (a hard link) in path's
    // place is left alone. False when the file cannot be opened or is such a link.
    bool Open(const char* path, DWORD limit = 0, const char* oldPath = nullptr);
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    const std::string& Path() const { return path_; }
    // Appends one line (without its line end) stamped with the time and the computer's name.
    Outcome Append(const std::string& text);
    // Gives the waiting lines one last wait and closes; the count of lines that never got in.
    unsigned Close();

private:
    bool TakeLock(DWORD tries);
    bool WriteWaitingLines(DWORD tries);
    unsigned WaitingLineCount() const;

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string path_;
    // The rollover's limit (0: none) and old generation. A rollover that fails (a link in the old
    // generation's place, a full disk) is not tried again this run: the log grows until a later run.
    DWORD limit_ = 0;
    std::string oldPath_;
    std::string computerName_;
    // Lines, with their times, that waited in vain for the lock. While some wait, a line tries the lock
    // once instead of waiting again, so a writer that does not let go costs the run one wait, not one
    // a line.
    std::string waitingLines_;
    bool writeFailed_ = false;
    // The wizard writes from its engine thread and its window's thread.
    CRITICAL_SECTION guard_;
};

// The limit past which the till's own log rolls over.
constexpr DWORD kTillLogLimit = 1024 * 1024;
