#include "common/LogFile.h"

#include <cstdio>

#include "common/FileLinks.h"
#include "common/LogRollover.h"

namespace {
// How long a line waits for another run that is writing to the same log, a few milliseconds at a time.
constexpr DWORD kLockTries = 500;
constexpr DWORD kLockPause = 10;
// The byte every run locks while it writes: far beyond any log's end (locking there is allowed on every
// target system and over a network share), so that the lines themselves are never locked.
constexpr DWORD kLockOffset = 0x40000000;

// The computer's name, by which the lines of fifty tills in one shared log are told apart.
std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return "?";
    return name;
}

HANDLE OpenForAppending(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A log that rolls over is emptied and its old generation replaced: it is opened only when no link is
// in its place. A symbolic link is found by its name before the open (which would follow it), a hard
// link on the open file itself.
HANDLE OpenPlainFile(const char* path) {
    if (IsReparsePoint(path)) return INVALID_HANDLE_VALUE;
    HANDLE file = OpenForAppending(path);
    if (file == INVALID_HANDLE_VALUE || !HasOtherNames(file)) return file;
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
}

std::string TimeStamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    return stamp;
}
}  // namespace

LogFile::LogFile() {
    InitializeCriticalSection(&guard_);
}

LogFile::~LogFile() {
    Close();
    DeleteCriticalSection(&guard_);
}

bool LogFile::Open(const char* path, DWORD limit, const char* oldPath) {
    Close();
    EnterCriticalSection(&guard_);
    computerName_ = ComputerName();
    path_ = path;
    limit_ = oldPath != nullptr ? limit : 0;
    oldPath_ = oldPath != nullptr ? oldPath : "";
    waitingLines_.clear();
    writeFailed_ = false;
    file_ = limit_ != 0 ? OpenPlainFile(path) : OpenForAppending(path);
    bool opened = file_ != INVALID_HANDLE_VALUE;
    LeaveCriticalSection(&guard_);
    return opened;
}

bool LogFile::TakeLock(DWORD tries) {
    for (DWORD tried = 0; tried < tries; ++tried) {
        if (LockFile(file_, kLockOffset, 0, 1, 0)) return true;
        if (tried + 1 < tries) Sleep(kLockPause);
    }
    return false;
}

// Writes the waiting lines at the end the file has at that moment, only under the lock, which also
// covers a rollover first. False when the lock was not taken.
bool LogFile::WriteWaitingLines(DWORD tries) {
    if (!TakeLock(tries)) return false;
    if (limit_ != 0 && !RollOverPastLimit(file_, limit_, oldPath_.c_str())) limit_ = 0;
    SetFilePointer(file_, 0, nullptr, FILE_END);
    DWORD written = 0;
    BOOL wrote =
        WriteFile(file_, waitingLines_.data(), static_cast<DWORD>(waitingLines_.size()), &written, nullptr);
    UnlockFile(file_, kLockOffset, 0, 1, 0);
    if (!wrote || written != waitingLines_.size()) writeFailed_ = true;
    waitingLines_.clear();
    return true;
}

LogFile::Outcome LogFile::Append(const std::string& text) {
    EnterCriticalSection(&guard_);
    Outcome outcome = Outcome::NotWritten;
    if (file_ != INVALID_HANDLE_VALUE) {
        bool othersWait = !waitingLines_.empty();
        waitingLines_ += TimeStamp() + computerName_ + " " + text + "\r\n";
        if (WriteWaitingLines(othersWait ? 1 : kLockTries)) {
            outcome = writeFailed_ ? Outcome::NotWritten : Outcome::Written;
        } else {
            outcome = othersWait ? Outcome::Queued : Outcome::WaitedInVain;
        }
    }
    LeaveCriticalSection(&guard_);
    return outcome;
}

unsigned LogFile::WaitingLineCount() const {
    unsigned count = 0;
    for (size_t at = waitingLines_.find('\n'); at != std::string::npos; at = waitingLines_.find('\n', at + 1))
        ++count;
    return count;
}

unsigned LogFile::Close() {
    EnterCriticalSection(&guard_);
    unsigned lost = 0;
    if (file_ != INVALID_HANDLE_VALUE) {
        if (!waitingLines_.empty() && !WriteWaitingLines(kLockTries)) lost = WaitingLineCount();
        CloseHandle(file_);
    }
    file_ = INVALID_HANDLE_VALUE;
    waitingLines_.clear();
    LeaveCriticalSection(&guard_);
    return lost;
}
