#pragma once
// Removal of the program folder's files by the registration's record: a recorded file goes only when it
// is still the file the registration wrote (FolderPaths.h), a folder only when the registration made it
// and nothing but what goes at restart is left in it; what stays is said with its reason. Nothing is
// followed through a link (a junction or another reparse point) under the folder.

#include <windows.h>

#include "removal/FolderRecord.h"
#include "removal/RemovalRules.h"

// Deletes the folder's recorded files now or at the next start, then each folder the registration made
// once it is empty, the deepest first. Each item is reported: a file or folder removed, to go at
// restart, kept (why) or failed. False when a file could be neither deleted nor scheduled.
bool RemoveRecordedFiles(const char* folder, const FolderRecord& record, const RemovalReport& report);

// For its lifetime, the temporary folder is the working directory: the folder cannot go while it is a
// process's working directory, and a removal program started from it reads its configuration there.
// The working directory before comes back at the end, when it is still there.
class OutsideProgramFolder {
public:
    OutsideProgramFolder();
    ~OutsideProgramFolder();
    OutsideProgramFolder(const OutsideProgramFolder&) = delete;
    OutsideProgramFolder& operator=(const OutsideProgramFolder&) = delete;

private:
    char saved_[MAX_PATH] = {};
};
