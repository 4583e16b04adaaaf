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
//
// A comment is a line that starts with ";", or the end of a line from a ";" after a space or tab on.

#include <string>
#include <vector>

#include "deploy/InstallRequest.h"

struct ProfileEntry {
    std::string section;
    InstallRequest request;  // each value's "where" names the section and key
};

// Reads every printer section of the file. False with the refusal said, naming the file, section and
// key: a file that is missing, empty or foreign (no header section), a header whose count does not
// match the printer sections, a section (names compared without regard to case) or a key written
// twice, a line that is not "key=value", an unknown key, a missing Model or Port, a flag that is
// neither Yes nor No, a second Default=Yes, two entries on one USB port, two entries on one serial port
// asking for different settings.
bool ReadProfile(const char* path, std::vector<ProfileEntry>& entries);

// Writes the printers (requests whose serial texts are set for a serial port) as a profile file: a new
// file in the target's folder that then replaces the target whole. False with the error said; the
// target is then as it was.
bool WriteProfile(const char* path, const std::vector<InstallRequest>& printers);

// The key a serial list's setting has in a printer section ("Baud" for the baud rate).
const char* ProfileSerialKey(SerialList list);
