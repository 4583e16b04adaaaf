#pragma once
// The files the registration copies into the program folder (the two removal programs, the medium's
// configuration files and the banner) and their copying. Each file is recorded as it lands
// (FolderRecord.h), so a copy that fails part-way leaves a record of what it put there. Nothing is
// written or deleted through a link: a program folder, or a folder on a file's way, that is a link
// stops the copy.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "removal/FolderRecord.h"

// The files the registration copies, relative to the medium's directory and the folder: the two
// removal programs, the common configuration file, the category files and the banner.
std::vector<std::string> MediumFolderFiles();

// Keeps the record where removal finds it; false with error set when it cannot.
typedef std::function<bool(const FolderRecord& record, DWORD& error)> RecordWriter;

// Copies the medium's files into the folder (created when missing), writable whatever the medium's
// attributes, and takes back the pending deletion of each one at restart. record: on entry the earlier
// registration's; each file and each folder made is added as it lands and handed to write. A recorded file
// the medium no longer has is deleted when it is still the one written, and leaves the record. False with
// error and step naming what failed (a link: the reason the user reads, error ERROR_CANT_ACCESS_FILE).
bool CopyMediumFiles(const char* folder, FolderRecord& record, const RecordWriter& write, DWORD& error,
                     std::string& step);
