#pragma once
// The registration's record of what it put into the program folder: each file it wrote with what
// identifies it (size and last-write time), and the folders it created there, the program folder itself
// included. Removal takes from the folder only what this record names, and a folder only when the
// registration made it: the folder bears the maker's name and may hold the maker's other software.
//
// The record is kept under the entry's key, not as a file in the folder: it comes and goes with the
// entry in one step, so no record outlives its entry; it is no file of the folder that removal would have
// to tell apart from the others; and the registry holds it alike on Windows 98/Me and the NT family.
// "InstalledFiles" holds "name|size|time" items (hexadecimal numbers, ";" between items); an older
// registration wrote bare names, which are read without an identity. "CreatedFolders" holds the
// folders' relative names, "." for the program folder itself.

#include <windows.h>

#include <string>
#include <vector>

#include "common/RegistryKey.h"
#include "removal/FolderPaths.h"

// The program folder itself among the created folders.
extern const char kProgramFolderItself[];

struct RecordedFile {
    std::string name;  // relative to the program folder
    bool identified;   // false: recorded by an older registration, without size and time
    FileIdentity identity;
};

struct FolderRecord {
    std::vector<RecordedFile> files;
    std::vector<std::string> createdFolders;

    // Records name with its identity, in place of what the record held for it.
    void Landed(const std::string& name, const FileIdentity& identity);
    void Forget(const std::string& name);
    void Created(const std::string& folder);
    bool Names(const std::string& name) const;
    bool MadeFolder(const std::string& folder) const;
};

// The record of the entry's key; false when the key has no record of files (an older registration that
// kept none).
bool ReadFolderRecord(RegistryKey& entry, FolderRecord& record);
bool WriteFolderRecord(RegistryKey& entry, const FolderRecord& record, DWORD& error);
