#pragma once
// Which files in the system's shared folders (the system folder, the spooler's driver, version and
// print-processor folders) the installation put there, and which it found there already. A till holds
// Windows' own files and other programs' there, some of the same names as the medium's: a file that was
// there before an installation of ours put its own over it, registered by no driver, monitor or
// processor and not put there by an earlier installation of ours, is not ours, and removal leaves it, as
// Windows Installer's shared-file count keeps such files.
//
// The record is the key HKLM "SOFTWARE\Qelvan\SystemFiles": one value a file, named by its full path
// (the registry compares value names without regard to case, as the file system compares paths), its
// data 1 when an installation of ours created the file, 0 when it found it there.

#include <string>

// Before a file of the medium is put at path (by a copy, or by the spooler's copy of a driver's file):
// notes whom the file there belongs to. A path the record knows keeps its verdict while the file is
// there; a file that is missing is ours once placed; a file that is there and that a registration names
// (an earlier installation of ours, or another maker's component, which keeps it while it stays) is left
// to the registrations at removal.
void NoteBeforePlacing(const std::string& path, int targetSystem);

// True when the record says the file at path was there before an installation of ours: not ours.
bool FoundBeforeInstallation(const std::string& path);

// Takes path out of the record once removal has decided on the file for good (deleted, or kept as not
// ours); the record's key goes with its last value.
void ForgetSystemFile(const std::string& path);
