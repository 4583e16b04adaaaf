#pragma once
// The medium's entry in the list of installed programs (Add or Remove Programs) and the folder under
// the system's program files folder that keeps what removal needs once the medium is gone: the two
// removal programs and the medium's configuration files. The wizard's Install command and the
// deployment program register after a successful installation; both removal programs unregister when
// nothing of the medium is left.

#include <windows.h>

#include <string>

#include "common/SharedTypes.h"
#include "removal/MediumNames.h"
#include "removal/RemovalRules.h"

// The entry's key under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall".
extern const char kProgramEntryKey[];
// The removal window's and the deployment program's file names.
extern const char kRemovalWindowFile[];
extern const char kDeployProgramFile[];

// The folder: the "ProgramFilesDir" value under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion"
// (every target system keeps it) followed by "\Qelvan", with no trailing backslash. False when the
// value is missing or the path does not fit.
bool ProgramEntryFolder(char (&folder)[MAX_PATH]);

// Copies the removal programs and the configuration files from the medium's directory (the program's,
// or the one UseMediumDirectory set) into the folder, and writes the entry with the size of what the
// installation put on disk. False with error set (the platform's code) and step naming what failed.
bool RegisterProgramEntry(TargetSystem system, DWORD& error, std::string& step);

// True when no printer, registered driver, port monitor or print processor of the medium is left.
bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system);

// Deletes the entry and the folder. A file in use (the running removal program) is deleted at the next
// start of the system: through MoveFileEx's delay-until-reboot on the NT family, through WININIT.INI's
// [rename] section on Windows 98/Me; the folder itself too on the NT family. False with error set when
// the entry or a file could be neither deleted nor scheduled.
bool RemoveProgramEntry(DWORD& error);

// Deletes a file now or, when it is in use, at the next start of the system. False when neither.
bool DeleteFileNowOrAtRestart(const char* path, DWORD& error);

// When nothing of the medium is left, removes the entry and the folder (RemoveProgramEntry) and reports
// it as one item. False when that removal failed; nothing is reported while something is left.
bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report);
