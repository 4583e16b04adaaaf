#include "deploy/DeployOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "common/ConsoleText.h"
#include "common/LogFile.h"
#include "common/ResourceText.h"
#include "common/TillLog.h"
#include "deploy/DeployTextIds.h"
#include "framework/MessageBoxes.h"

namespace {
// The shared log a script names with /log:FILE.
LogFile sharedLog;
// The till's own log is said unusable once a run, on the console.
bool tillLogSkipSaid = false;

void AppendToSharedLog(const std::string& line) {
    if (!sharedLog.IsOpen()) return;
    // Said on the console alone: the log is what cannot be written. Only the first line that waited the
    // whole wait is said; the lines after it try once and wait with it.
    if (sharedLog.Append(line) != LogFile::Outcome::WaitedInVain) return;
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
              FormatResource(IDS_DEPLOY_LOG_LOCKED, sharedLog.Path().c_str()).c_str());
}

// Every line goes to the till's own log too, whatever /log says.
void AppendToTillLog(const std::string& line) {
    if (TillLogLine(line) || tillLogSkipSaid) return;
    tillLogSkipSaid = true;
    WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
              FormatResource(IDS_DEPLOY_TILL_LOG_SKIPPED, TillLogPath().c_str()).c_str());
}

void SayMessage(const char* text) {
    Say(text);
}
}  // namespace

bool OpenDeployLog(const char* path) {
    return sharedLog.Open(path);
}

void CloseDeployLog() {
    // The lines still waiting get one last wait of their own.
    std::string path = sharedLog.Path();
    unsigned lost = sharedLog.Close();
    if (lost != 0) {
        WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
                  FormatResource(IDS_DEPLOY_LOG_LINES_LOST, path.c_str(), lost).c_str());
    }
    if (!CloseTillLog() && !tillLogSkipSaid) {
        tillLogSkipSaid = true;
        WriteLine(GetStdHandle(STD_OUTPUT_HANDLE),
                  FormatResource(IDS_DEPLOY_TILL_LOG_SKIPPED, TillLogPath().c_str()).c_str());
    }
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
        AppendToSharedLog(line);
        AppendToTillLog(line);
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
