#include "deploy/DeployOutput.h"

#include <cstdarg>
#include <cstring>

#include "common/BoundedText.h"
#include "common/ConsoleText.h"
#include "framework/MessageBoxes.h"

namespace {
HANDLE logFile = INVALID_HANDLE_VALUE;

void AppendToLog(const char* text) {
    if (logFile == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[1200];
    FormatText(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u %s\r\n", now.wYear, now.wMonth, now.wDay,
               now.wHour, now.wMinute, now.wSecond, text);
    DWORD written = 0;
    WriteFile(logFile, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
}

void SayMessage(const char* text) {
    Say(text);
}
}  // namespace

bool OpenDeployLog(const char* path) {
    logFile = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE) return false;
    SetFilePointer(logFile, 0, nullptr, FILE_END);
    return true;
}

void CloseDeployLog() {
    if (logFile != INVALID_HANDLE_VALUE) CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
}

void Say(const char* text) {
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE), text);
    AppendToLog(text);
}

void SayFormatted(const char* format, ...) {
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    FormatTextList(line, sizeof line, format, arguments);
    va_end(arguments);
    Say(line);
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
