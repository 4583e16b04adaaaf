#pragma once
// A file written beside its target and then put in the target's place, so that a reader (a till
// applying the share's profile) meanwhile finds the old file or the new one, never a part, and a
// replace that fails leaves the old file where it was.

#include <windows.h>

#include <string>

#include "removal/FileMoveApi.h"

// A new, empty file of a name of its own in the target's folder; empty when none can be made.
std::string FileBeside(const char* target);

// Puts written in target's place. Where MoveFileEx replaces (hasReplace: not Windows 98/Me) in one
// step; elsewhere the old file is renamed aside, the new one moved in and the old one deleted, and
// when the move in fails the old one is put back. On failure written is deleted, the target is as it
// was and error receives the platform's code.
bool ReplaceWithWritten(const char* written, const char* target, bool hasReplace, DWORD& error);
