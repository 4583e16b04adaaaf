#pragma once
// Lines to the Windows Installer: an information line lands in the /l*v log; an error is shown to a
// person in a run with a user interface (a box) and logged in a quiet one.

#include <windows.h>
#include <msi.h>

#include <string>

// The module the package's texts live in: the custom action DLL, not the Installer's process.
void SetTextModule(HMODULE module);

void LogLine(MSIHANDLE install, const char* line);
void ShowError(MSIHANDLE install, const char* text);

// A text of the package's table, a format filled with the arguments; never cut beyond 1 KiB.
std::string PackageText(UINT id, ...);
