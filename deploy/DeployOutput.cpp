#include "deploy/DeployOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "common/ConsoleText.h"
#include "common/ResourceText.h"
#include "deploy/DeployTextIds.h"
#include "framework/MessageBoxes.h"

namespace {
HANDLE logFile = INVALID_HANDLE_VALUE;

// How long a line waits for another run that is writing to the same log, a few milliseconds at a time.
constexpr DWORD kLogLockTries = 500;
constexpr DWORD kLogLockPause = 10;
// The byte every run locks while it writes: far beyond any log's end (locking there is allowed on every
// target system and over a network share), so that the lines themselves are never locked.
constexpr DWORD kLogLockOffset = 0x40000000;
// The log as opened, for the lines that tell of it.
std::string logPath;
// Read when the log is opened.
std::string computerName;
// Lines, with their times, that waited in vain for the lock: they go to the log, in their order, with
// the first line that takes it. While some wait, a line tries the lock once instead of waiting again, so
// a writer that does not let go costs the run one wait, not one a line.
std::string waitingLines;

// The computer's name, by which the lines of fifty tills in one shared log are told apart.
std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return "?";
    return name;
}

bool TakeLogLock(DWORD tries) {
    for (DWORD tried = 0; tried < tries; ++tried) {
        if (LockFile(logFile, kLogLockOffset, 0, 1, 0)) return true;
        if (tried + 1 < tries) Sleep(kLogLockPause);
    }
    return false;
}

// Writes the waiting lines at the end the file has at that moment, but only under the lock, so that
// two runs (two tills on one share) never write to the same place. False when the lock was not taken.
bool WriteWaitingLines(DWORD tries) {
    if (!TakeLogLock(tries)) return false;
    SetFilePointer(logFile, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(logFile, waitingLines.data(), static_cast<DWORD>(waitingLines.size()), &written, nullptr);
    UnlockFile(logFile, kLogLockOffset, 0, 1, 0);
    waitingLines.clear();
    return true;
}

void AppendToLog(const std::string& text) {
    if (logFile == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    bool othersWait = !waitingLines.empty();
    waitingLines += stamp + computerName + " " + text + "\r\n";
    if (WriteWaitingLines(othersWait ? 1 : kLogLockTries) || othersWait) return;
    // Said on the console alone: the log is what cannot be written.
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
              FormatResource(IDS_DEPLOY_LOG_LOCKED, logPath.c_str()).c_str());
}

// The count of lines waiting.
unsigned WaitingLineCount() {
    unsigned count = 0;
    for (size_t at = waitingLines.find('\n'); at != std::string::npos; at = waitingLines.find('\n', at + 1))
        ++count;
    return count;
}

void SayMessage(const char* text) {
    Say(text);
}
}  // namespace

bool OpenDeployLog(const char* path) {
    computerName = ComputerName();
    logPath = path;
    waitingLines.clear();
    logFile = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return logFile != INVALID_HANDLE_VALUE;
}

void CloseDeployLog() {
    // The lines still waiting get one last wait of their own.
    if (logFile != INVALID_HANDLE_VALUE && !waitingLines.empty() && !WriteWaitingLines(kLogLockTries)) {
        WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
                  FormatResource(IDS_DEPLOY_LOG_LINES_LOST, logPath.c_str(), WaitingLineCount()).c_str());
    }
    if (logFile != INVALID_HANDLE_VALUE) CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
}

void Say(const char* text) {
    // A text of several lines (the wizard's messages break lines with "\n") is said line by line, each
    // with its own time in the log.
    std::string rest = text;
    for (;;) {
        size_t end = rest.find('\n');
        std::string line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        WriteLine(GetStdHandle(STD_OUTPUT_HANDLE), line.c_str());
        AppendToLog(line);
        if (end == std::string::npos) break;
        rest.erase(0, end + 1);
    }
}

void SayFormatted(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measure;
    va_copy(measure, arguments);
    int length = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    // The whole line, however long: a cut could split a double-byte character.
    std::string line(length > 0 ? length + 1 : 1, '\0');
    if (length > 0) vsnprintf(&line[0], line.size(), format, arguments);
    va_end(arguments);
    line.resize(length > 0 ? length : 0);
    Say(line.c_str());
}

void SayWithError(const char* text, DWORD error) {
    Say(FormatResource(IDS_DEPLOY_WITH_ERROR, text, static_cast<unsigned long>(error)).c_str());
}

void SayResourceText(UINT id) {
    Say(ResourceText(id).c_str());
}

void SayResourceFormatted(UINT id, ...) {
    va_list arguments;
    va_start(arguments, id);
    std::string text = FormatResourceList(id, arguments);
    va_end(arguments);
    Say(text.c_str());
}

void SayResourceWithError(UINT id, DWORD error) {
    SayWithError(ResourceText(id).c_str(), error);
}

void RouteMessagesToOutput() {
    RouteMessagesTo(SayMessage);
}
