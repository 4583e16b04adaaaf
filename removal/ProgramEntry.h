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
#include "removal/MediumLeft.h"
#include "removal/MediumNames.h"
#include "removal/RemovalCopy.h"
#include "removal/RemovalRules.h"

// The entry's key under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall".
extern const char kProgramEntryKey[];
// The entry's full key path under HKLM.
void ProgramEntryKeyPath(char (&keyPath)[MAX_PATH]);

// The folder: the "ProgramFilesDir" value under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion"
// (every target system keeps it) followed by "\Qelvan", with no trailing backslash. False when the
// value is missing or the path does not fit.
bool ProgramEntryFolder(char (&folder)[MAX_PATH]);

// The folder the entry records ("InstallLocation"); false when there is no entry or it records none.
bool RecordedProgramFolder(char (&folder)[MAX_PATH]);

// Copies the removal programs and the configuration files from the medium's directory (the program's,
// or the one UseMediumDirectory set) into the folder, recording each as it lands (FolderFiles.h), and
// writes the entry with the size of what the installation put on disk. False with error set (the
// platform's code) and step naming what failed; a link in the folder's place or on a file's way is
// neither written through nor changed, and step then says so.
bool RegisterProgramEntry(TargetSystem system, DWORD& error, std::string& step);

// When nothing of the medium is left and the entry is there, removes from the folder what its record
// names and is still the registration's own (FolderRemoval.h), then the entry with its record, each
// item reported. False when that removal failed; nothing is touched or reported while something of the
// medium is left or when there is no entry. The caller's working directory must not be the folder
// (OutsideProgramFolder in FolderRemoval.h).
bool RemoveEntryWhenNothingLeft(const MediumNames& names, TargetSystem system, const RemovalReport& report);

// The entry and the files its record names in the folder (a folder only when the registration made it
// and nothing else is in it), each item reported, whatever is installed: the tail of the removal above,
// and what the package does with an earlier installation's entry. True when there was no entry or it
// went; false when a file could be neither deleted nor scheduled (the entry and its record stay).
bool RemoveEntryAndFolderFiles(const RemovalReport& report);
