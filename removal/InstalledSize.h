#pragma once
// The size of what the installation put on disk, for the entry's "EstimatedSize": the program folder's
// files, the files of the medium's registered drivers, its port monitors and its print processor.

#include <windows.h>

#include "common/SharedTypes.h"

// In KiB, rounded up. No link in the folder is followed or counted: a link pointing back up would make
// the walk endless.
DWORD InstalledKiB(const char* folder, TargetSystem system);
