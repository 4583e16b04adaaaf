#include "common/TillLog.h"

#include <cstdarg>

#include "common/LogFile.h"
#include "common/ResourceText.h"

namespace {
LogFile tillLog;
// The log is tried once a run: a till whose log cannot be opened does not pay for it at every line.
bool tried = false;

std::string WindowsFolderFile(const char* name) {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    std::string path = folder;
    if (path.back() != '\\') path += '\\';
    return path + name;
}

bool EnsureOpen() {
    if (!tried) {
        tried = true;
        std::string path = TillLogPath();
        if (!path.empty()) tillLog.Open(path.c_str(), kTillLogLimit, TillLogOldPath().c_str());
    }
    return tillLog.IsOpen();
}
}  // namespace

std::string TillLogPath() {
    return WindowsFolderFile("QelvanSetup.log");
}

std::string TillLogOldPath() {
    return WindowsFolderFile("QelvanSetup.old");
}

bool TillLogLine(const std::string& text) {
    if (!EnsureOpen()) return false;
    bool reached = true;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (tillLog.Append(line) == LogFile::Outcome::NotWritten) reached = false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return reached;
}

bool TillLogResource(UINT id, ...) {
    va_list arguments;
    va_start(arguments, id);
    std::string text = FormatResourceList(id, arguments);
    va_end(arguments);
    return TillLogLine(text);
}

bool CloseTillLog() {
    bool allIn = tillLog.Close() == 0;
    tried = false;
    return allIn;
}
