#include "msi/ChildLines.h"

#include <vector>

namespace {
// The pipe's reading end stays in this process; only the writing end is inherited.
bool MakePipe(HANDLE& readEnd, HANDLE& writeEnd) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
    HANDLE own = nullptr;
    // Windows 98/Me lack SetHandleInformation: a non-inheritable duplicate serves on every system.
    if (!DuplicateHandle(GetCurrentProcess(), readEnd, GetCurrentProcess(), &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return false;
    }
    CloseHandle(readEnd);
    readEnd = own;
    return true;
}

void SplitLines(std::string& pending, const std::function<void(const std::string&)>& onLine) {
    for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        std::string line = pending.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        onLine(line);
        pending.erase(0, end + 1);
    }
}
}  // namespace

bool RunForLines(const std::string& commandLine, const std::string& directory,
                 const std::function<void(const std::string&)>& onLine, DWORD& exitCode, DWORD& error) {
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!MakePipe(readEnd, writeEnd)) {
        error = GetLastError();
        return false;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  directory.empty() ? nullptr : directory.c_str(), &startup, &process);
    error = started ? 0 : GetLastError();
    // Only the program holds the writing end now: reading ends when the program does.
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    std::string pending;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        pending.append(buffer, read);
        SplitLines(pending, onLine);
    }
    if (!pending.empty()) onLine(pending);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}
