#pragma once
// The removal window's temporary copy. Started from the program folder, the removal window runs a copy
// of itself from a new folder under the temporary folder, so that the program folder can go with the
// rest, and records that copy under the entry's key: only that copy, where the removal makes copies,
// deletes itself when it ends, whatever a command line typed or a value edited by hand says.

#include <string>

// Creates a new folder for the copy under the temporary folder: CreateDirectory itself must make it,
// so that nothing put there beforehand (a library the copy would load) lies beside the copy.
bool MakeRemovalCopyFolder(std::string& folder);

// True when path is the removal window's file in a folder MakeRemovalCopyFolder makes.
bool IsInRemovalCopyFolder(const std::string& path);

// Records the copy under the entry's key. False when the entry is missing or the record cannot be
// written.
bool RecordRemovalCopy(const char* path);

// True when the record names path and path lies where the removal makes copies (the running program is
// the copy the removal made); the record goes.
bool TakeRemovalCopyRecord(const char* path);
