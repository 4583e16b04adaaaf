#pragma once
// Removal of the program folder's files by the registration's record: only the recorded files go, a
// folder only when nothing but them was in it; what stays is said with its reason. Nothing is followed
// through a link (a junction or another reparse point) under the folder.

#include <string>
#include <vector>

#include "removal/RemovalRules.h"

// Deletes folder's recorded files (relative paths) now or at the next start, then each folder they
// were in and the folder itself when nothing else is left in it. Each item there is reported: a file
// or folder removed, to go at restart, kept (why) or failed. False when a file could be neither
// deleted nor scheduled.
bool RemoveRecordedFiles(const char* folder, const std::vector<std::string>& files,
                         const RemovalReport& report);
