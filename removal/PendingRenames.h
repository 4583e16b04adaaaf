#pragma once
// The NT family's list of renames and deletions the system carries out at its next start
// (PendingFileRenameOperations: pairs of a source and a destination, an empty destination meaning a
// deletion). The list is every program's: it is read and written as Unicode, so that paths of any
// script come back as they were, and only our own deletions are taken out.

#include <windows.h>

// Takes the pending deletions of path out of the list: pairs whose source is path ("\??\" before it or
// not, compared without regard to case) and whose destination is empty. Another program's rename of
// the same path stays, and every other byte of the value stays as it was; nothing is written when no
// deletion of path was there. False with error set when the changed list cannot be written.
bool RemovePendingDeletion(const char* path, DWORD& error);
