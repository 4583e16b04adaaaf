#pragma once
// The file moves that replace a file or schedule work for the next start, reached through one table so
// that a test can show a move the system refuses (a scheduling refused, a share that refuses the move
// in after the old file was put aside), which Wine never does. The table starts with the real
// functions; production code never changes it.

#include <windows.h>

struct FileMoveApi {
    decltype(&MoveFileA) moveFile;
    decltype(&MoveFileExA) moveFileEx;
};

// The table in use.
FileMoveApi& FileMoves();
