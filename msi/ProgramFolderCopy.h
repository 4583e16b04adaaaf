#pragma once
// The package's own program folder and marker as they stood before this installation, kept in the
// run's temporary folder and put back by the rollback. Windows' Installer restores the files an
// installation replaced itself; Wine's removes every file of the package's components, the older
// version's included, and the marker's values with them. What the rollback puts back is only what was
// there before; a file it finds as it was is left alone.

#include <string>

// Copies the plain files under folder (no link followed) into saved\ProgramFolder and the marker's
// values into saved\marker.txt. True when there was nothing to copy; false when a copy failed.
bool SaveProgramFolder(const std::string& folder, const std::string& saved);

// Puts back every saved file that is missing or differs, and the marker's values when its key lost them.
void RestoreProgramFolder(const std::string& saved, const std::string& folder);

// Deletes the run's temporary folder: plain files and folders, never through a link.
void RemoveRunFolder(const std::string& folder);
