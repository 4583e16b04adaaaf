#pragma once
// The files the registration copies into the program folder, and its record of them. Removal takes
// from the folder only what this record names: the folder bears the maker's name and may hold the
// maker's other software, which is not this product's to take.
//
// The record is the "InstalledFiles" value under the entry's key (paths relative to the folder, ";"
// between them), not a file in the folder: it comes and goes with the entry in one step, so no record
// outlives its entry or names a folder the entry does not; it is no file of the folder itself that
// removal would have to tell apart from the others; and the registry holds it alike on Windows 98/Me
// and the NT family.

#include <windows.h>

#include <string>
#include <vector>

#include "common/RegistryKey.h"

// The value name of the record under the entry's key.
extern const char kFolderRecordValue[];

// The files the registration copies, relative to the medium's directory and the folder: the two
// removal programs, the common configuration file, the category files and the banner.
std::vector<std::string> MediumFolderFiles();

// The record of the entry's key; false when the key has no record (an older registration).
bool ReadFolderRecord(RegistryKey& entry, std::vector<std::string>& files);
bool WriteFolderRecord(RegistryKey& entry, const std::vector<std::string>& files, DWORD& error);

// Copies the medium's files into the folder (created when missing), writable whatever the medium's
// attributes, and takes back the pending deletion of each one at restart. A file of previous, the
// earlier registration's record, that the medium no longer has is deleted. copied: what is in the
// folder now. False with error and step naming the file that failed.
bool CopyMediumFiles(const char* folder, const std::vector<std::string>& previous,
                     std::vector<std::string>& copied, DWORD& error, std::string& step);
