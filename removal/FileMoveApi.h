#pragma once
// The file move that schedules work for the next start, reached through one table so that a test can
// show a scheduling the system refuses, which Wine never does. The table starts with the real function;
// production code never changes it.

#include <windows.h>

struct FileMoveApi {
    decltype(&MoveFileExA) moveFileEx;
};

// The table in use.
FileMoveApi& FileMoves();
