#pragma once
// The profile file that carries one till's printers to the others: an INI file in code page 936, read
// with the profile functions the medium's files are read with, that a person can read and edit.
//
//   [QelvanProfile]
//   Printers=2            ; how many printer sections follow; 0 for a till that is to have none
//   [Printer1]
//   Model=QL-60
//   Port=TVCOM2:
//   Advanced=No
//   Default=Yes
//   Baud=19200            ; the serial keys for a serial port only, with the port page's texts
//   ...

#include <string>
#include <vector>

#include "deploy/InstallRequest.h"

struct ProfileEntry {
    std::string section;
    InstallRequest request;  // each value's "where" names the section and key
};

// Reads every printer section of the file. False with the refusal said, naming the file, section and
// key: a file that is missing, empty or foreign (no header section), a header whose count does not
// match the printer sections, a line that is not "key=value", an unknown or repeated key, a missing
// Model or Port, a flag that is neither Yes nor No.
bool ReadProfile(const char* path, std::vector<ProfileEntry>& entries);

// Writes the printers (requests whose serial texts are set for a serial port) as a profile file,
// replacing the file. False with the error said.
bool WriteProfile(const char* path, const std::vector<InstallRequest>& printers);
