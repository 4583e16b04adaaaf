#pragma once
// The system's shared files that drivers built on the universal printer driver need: on Windows 98/Me
// the universal driver and an icon library, on Windows 2000 and later the shared data files that the
// model's dependent-file list names.

#include "common/SharedTypes.h"

// ddk: the model is built on the universal driver (its DDK key). The shared data files of the later
// systems are optional on the medium: one it lacks is left out. False with the message set when a
// file is not in place.
bool InstallSystemDriverFiles(int targetSystem, bool ddk, MessageText& message);

// True for a file name of Windows' own printer-driver files, on every system: the universal driver with
// its user interface and help, the icon library, the shared data files. The medium only supplies them
// where they are missing; removal never takes them and the driver comparison never weighs them.
bool IsSystemSharedDriverFile(const char* name, int targetSystem);
