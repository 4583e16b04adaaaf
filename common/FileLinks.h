#pragma once
// Links in the place of a file the product writes, truncates or replaces: a symbolic link (a reparse
// point) would carry the writes to the file it points to, a hard link shares every byte with a file of
// another name. Such a file is left alone.

#include <windows.h>

// True when path is a symbolic link or another reparse point, whether or not what it names exists.
bool IsReparsePoint(const char* path);

// True when the open file has another name besides the one it was opened by (a hard link). A system
// that cannot tell (a file system without link counts) answers no.
bool HasOtherNames(HANDLE file);
