#pragma once
// The Windows Installer package stands for the medium in the list of installed programs: while it is
// installed (its marker under HKLM "SOFTWARE\Qelvan\PrinterDriversPackage" is there), the wizard and the
// deployment program make no entry of their own, and the entry an earlier installation by either made
// goes, with the files of its folder, printers and drivers kept: the package's removal removes them.

#include "removal/RemovalRules.h"

// True while the package is installed on this system.
bool PackageInstalled();

// Removes the wizard's entry and the files its record names from its folder (a folder only when
// nothing else is in it), each item reported; printers, drivers and components stay. True when there
// was no such entry or it went; false when a file could be neither deleted nor scheduled.
bool DropEntryForPackage(const RemovalReport& report);
