#pragma once
// The system's shared files that drivers built on the universal printer driver need: on Windows 98/Me
// the universal driver and an icon library, on Windows 2000 and later the shared data files that the
// model's dependent-file list names.

#include "common/SharedTypes.h"

// ddk: the model is built on the universal driver (its DDK key). A failure on Windows 98/Me leaves
// its text in message; on the later systems nothing is reported.
void InstallSystemDriverFiles(int targetSystem, bool ddk, MessageText& message);

// True for a file name of the system's shared files above (Windows 98/Me: the universal driver, its help
// and the icon library in the system folder; Windows 2000 and later: the shared data files): the
// system's own, which the medium only supplies where they are missing.
bool IsSystemSharedDriverFile(const char* name, int targetSystem);
