#pragma once
// The queries of the system's own directories, reached through one table so that a test can show a
// system or Windows directory that cannot be obtained, which Wine never refuses. The table starts with
// the real functions; production code never changes it.

#include <windows.h>

struct SystemPathApi {
    decltype(&GetSystemDirectoryA) getSystemDirectory;
    decltype(&GetWindowsDirectoryA) getWindowsDirectory;
};

// The table in use.
SystemPathApi& SystemPaths();
