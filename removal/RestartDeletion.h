#pragma once
// Deleting a file the system holds open (a running program) at the next start, and taking such a
// request back. On the NT family the file is first moved out of the way to a unique name in its own
// folder, and that name is scheduled (MoveFileEx, delay until reboot): a file installed afresh under
// the old name before the restart is not touched. Windows 98/Me cannot rename a running program: its
// WININIT.INI [rename] section gets a "NUL=" line naming the file's short path, which a later
// registration of the same files takes out again.

#include <windows.h>

#include <string>

enum class Deletion { Deleted, AtRestart, Failed };

// Deletes the file now or, when it is in use, at the next start. A missing file counts as deleted.
// Failed with error set when neither; a file moved aside whose scheduling the system refuses is moved
// back to its own name first. scheduled, when given, receives the path that goes at restart.
Deletion DeleteNowOrAtRestart(const char* path, DWORD& error, std::string* scheduled = nullptr);

// Schedules the file's deletion at the next start through WININIT.INI (Windows 98/Me), leaving it in
// place until then. False with error set when the line cannot be written, or when WININIT.INI cannot be
// read safely (not ANSI text, or too large), which is then left as it was.
bool DeleteAtNextStartOfWindows98(const char* path, DWORD& error);

// Takes the pending deletion of path back: out of the NT family's pending renames, or out of WININIT.INI's
// [rename] sections (Windows 98/Me). Renames of path by other programs stay. True when nothing of path
// was pending or its requests are gone; false with error, when given, set otherwise.
bool CancelDeletionAtRestart(const char* path, DWORD* error = nullptr);

// True on the NT family, where the system deletes at restart through MoveFileEx.
bool OnNtFamily();
