#pragma once
// What the package's removal needs, carried in the package itself (its Binary table, which the
// Installer keeps in its cached copy): QelvanDeploy.exe and the medium's configuration files. The
// removal runs them from a folder of its own, so that a program folder with files missing or damaged
// cannot stop it.

#include <windows.h>
#include <msi.h>

#include <string>
#include <vector>

// Unpacks the carried files into a new folder under the temporary folder; folder receives its path.
// False with the platform's error set when the package carries none or a file cannot be written.
bool UnpackRemovalMedium(MSIHANDLE install, std::string& folder);

// The files of a packed removal medium: "name\n" "size\n" then the bytes, one after another; a name is
// a plain file name, or one under "DRVCONFIG\". False for anything else.
struct PackedFile {
    std::string name;
    std::string bytes;
};
bool UnpackFiles(const std::string& packed, std::vector<PackedFile>& files);
