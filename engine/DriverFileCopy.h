#pragma once
// The one way a file goes from the installation medium into a system directory.

#include <windows.h>

#include "common/SharedTypes.h"

// Where CopyDriverFile puts a file; the values are the ones the engine's callers pass.
enum CopyTarget {
    DriverDirectory = 66000,       // the spooler's printer-driver directory
    ProcessorDirectory = 66001,    // the spooler's print-processor directory
    SystemDirectory = 66002,       // the system directory
    InfDirectory = 100,            // the Windows directory's "inf"
    DriverVersion3Directory = 999  // the printer-driver directory's "3"
};

// Directory and path texts of the copy, terminator included: what the system's ANSI file functions
// take (MAX_PATH).
constexpr size_t kCopyPathSize = 260;

// The medium's sub-directory holding a system's files ("\win98\", "\winnt\", "\win2003\", "\Vista\");
// empty for a value outside the TargetSystem range.
const char* SourceSubdirectory(int targetSystem);

// True when name is a plain file name: not "..", and no "\\", "/" or ":", so it stays in its directory.
bool IsBareFileName(const char* name);

// Copies the bare file name from the current directory's sub-directory for targetSystem into the
// target directory, as "n" + name when prefixed (a file in use is then replaced at the next start).
// Results: 1 copied; 0 nothing to do (null, empty, or a name beginning with "0", the configuration's
// "no file") or failed with message replaced; 32 or 5 the destination is in use, message untouched.
// The print-processor directory the spooler names is made first where it is missing.
int CopyDriverFile(const char* name, int target, int targetSystem, bool prefixed, MessageText& message);

// Whether a CopyDriverFile result for name leaves nothing undone: the file copied, or nothing to copy.
bool FilePlaced(int copyResult, const char* name);

// CopyDriverFile for a file that must be in place afterwards: a destination in use fails like any other
// copy. True when copied or nothing to copy; false with the message set and, for a failed copy,
// LastCopyFailure naming the file and the error.
bool PlaceDriverFile(const char* name, int target, int targetSystem, bool prefixed, MessageText& message);

// Whether the current directory's sub-directory for targetSystem holds the file name.
bool MediumHasFile(const char* name, int targetSystem);

// The last copy that failed with a message, in parts: the message runs name, number and path together,
// and a program that reports in lines names each of them.
struct CopyFailure {
    char name[kCopyPathSize];
    char source[kCopyPathSize];
    DWORD error;       // 0 for a name refused because it leaves its directory
    bool refusedName;  // the configuration names a path, not a bare file name
};
// Empty (name "") until a copy fails; ForgetCopyFailure empties it again.
const CopyFailure& LastCopyFailure();
void ForgetCopyFailure();

// Remembers the failed copy of name from source and replaces message with its text: the file, the
// error and the source path; error 0 for a name refused because it leaves its directory.
void ReportCopyError(MessageText& message, const char* name, DWORD error, const char* source);
