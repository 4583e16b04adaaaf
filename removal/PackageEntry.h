#pragma once
// The Windows Installer package stands for the medium in the list of installed programs: while it is
// installed (its marker under HKLM "SOFTWARE\Qelvan\PrinterDriversPackage" is there), the wizard and the
// deployment program make no entry of their own, and the entry an earlier installation by either made
// goes, with the files of its folder, printers and drivers kept: the package's removal removes them.

// The marker's key under HKLM, written and removed by the package's own registry table (which also keeps
// there what the package remembers for its repair and removal).
extern const char kPackageMarkerKey[];

// True while the package is installed on this system.
bool PackageInstalled();
// The entry an earlier installation made goes through RemoveEntryAndFolderFiles (ProgramEntry.h).
