#pragma once
// The medium's entry in the list of installed programs (Add or Remove Programs) and the folder under
// the system's program files folder that keeps what removal needs once the medium is gone: the two
// removal programs and the medium's configuration files. The wizard's Install command and the
// deployment program register after a successful installation; both removal programs unregister when
// nothing of the medium is left.

#include <windows.h>

#include <string>

#include "common/SharedTypes.h"
#include "removal/CompanionPrograms.h"
#include "removal/MediumNames.h"
#include "removal/RemovalRules.h"

// The entry's key under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall".
extern const char kProgramEntryKey[];

// The folder: the "ProgramFilesDir" value under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion"
// (every target system keeps it) followed by "\Qelvan", with no trailing backslash. False when the
// value is missing or the path does not fit.
bool ProgramEntryFolder(char (&folder)[MAX_PATH]);

// Copies the removal programs and the configuration files from the medium's directory (the program's,
// or the one UseMediumDirectory set) into the folder, and writes the entry with the size of what the
// installation put on disk and the record of the files copied (FolderFiles.h). False with error set (the
// platform's code) and step naming what failed.
bool RegisterProgramEntry(TargetSystem system, DWORD& error, std::string& step);

// True when no printer, registered driver, port monitor or print processor of the medium is left.
bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system);

// Deletes a file now or, when it is in use, at the next start of the system. False when neither.
bool DeleteFileNowOrAtRestart(const char* path, DWORD& error);

// When nothing of the medium is left and the entry is there, removes the files its record names from
// the folder (FolderRemoval.h), then the entry with its record, each item reported. False when that
// removal failed; nothing is touched or reported while something of the medium is left or when there
// is no entry.
bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report);

// The removal window's temporary copy, recorded under the entry's key by the program that made it: only
// that copy deletes itself when it ends, whatever a command line typed by hand says. False when the
// entry is missing or the record cannot be written.
bool RecordRemovalCopy(const char* path);
// True when the record names path (the running program is the copy the removal made); the record goes.
bool TakeRemovalCopyRecord(const char* path);
