#include "deploy/DeployOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "common/ConsoleText.h"
#include "framework/MessageBoxes.h"

namespace {
HANDLE logFile = INVALID_HANDLE_VALUE;

// How long a line waits for another run that is writing to the same log, a few milliseconds at a time.
constexpr DWORD kLogLockTries = 500;
constexpr DWORD kLogLockPause = 10;

// Every run that appends to the log locks the same range while it writes, so that two runs (two tills
// on one share) never write to the same place: the line goes to the end the file has at that moment.
// LockFile works alike on every target system and over a network share.
void AppendToLog(const std::string& text) {
    if (logFile == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    std::string line = stamp + text + "\r\n";
    bool locked = false;
    for (DWORD tries = 0; tries < kLogLockTries && !locked; ++tries) {
        locked = LockFile(logFile, 0, 0, MAXDWORD, 0) != FALSE;
        if (!locked) Sleep(kLogLockPause);
    }
    // A run that never gets the lock (a writer that does not let go) still leaves its line.
    SetFilePointer(logFile, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (locked) UnlockFile(logFile, 0, 0, MAXDWORD, 0);
}

void SayMessage(const char* text) {
    Say(text);
}
}  // namespace

bool OpenDeployLog(const char* path) {
    logFile = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return logFile != INVALID_HANDLE_VALUE;
}

void CloseDeployLog() {
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
    SayFormatted("%s  er = %lu", text, static_cast<unsigned long>(error));
}

void SayResourceText(UINT id) {
    char text[1024];
    LoadResourceText(id, text);
    Say(text);
}

void RouteMessagesToOutput() {
    RouteMessagesTo(SayMessage);
}
