#pragma once
// The attributes of a path, reached through one table so that a test can show a symbolic link to a file
// as Windows shows it (FILE_ATTRIBUTE_REPARSE_POINT): Wine 8 shows such a link as the plain file it
// points to. The table starts with the real function; production code never changes it.

#include <windows.h>

struct PathAttributesApi {
    decltype(&GetFileAttributesA) getFileAttributes;
};

// The table in use.
PathAttributesApi& PathAttributes();
