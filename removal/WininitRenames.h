#pragma once
// The "NUL=<short path>" lines of WININIT.INI's [rename] section, through which Windows 98/Me deletes
// files at its next start. The file is other programs' too: only our lines are added or taken, every
// other byte stays. A file that is not plain ANSI text (UTF-16 of either byte order, UTF-8 with its
// mark) or too large for a WININIT.INI is left as it is and the operation fails.

#include <windows.h>

// Adds our line on a line of its own in the first [rename] section (the one Windows carries out),
// or a new section at the end. False with error set when the file cannot be read safely or written.
bool AddWininitDeletion(const char* shortPath, DWORD& error);

// Takes our exact lines out of every [rename] section. True when none was there or all are gone; a
// missing file holds none. False with error set as above.
bool RemoveWininitDeletion(const char* shortPath, DWORD& error);
