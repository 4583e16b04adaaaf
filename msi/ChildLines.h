#pragma once
// Runs a console program without a window and hands each line it writes to its standard output on as
// it arrives; the program's exit code whole.

#include <windows.h>

#include <functional>
#include <string>

// False when the program could not be started (error set); otherwise exitCode is the program's.
bool RunForLines(const std::string& commandLine, const std::string& directory,
                 const std::function<void(const std::string&)>& onLine, DWORD& exitCode, DWORD& error);
