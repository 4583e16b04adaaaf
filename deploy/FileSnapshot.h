#pragma once
// Files in the system's folders as they stood before a run, kept in the journal's folder, and put back
// afterwards: a file the run placed where there was none goes, a file it replaced gets its earlier bytes
// back. A link or folder in a file's place is neither copied nor written through nor deleted.

#include <string>
#include <vector>

// Saves each path: an "F" journal line saying it was missing, a plain file (copied into folder, its
// copy named on the line) or something else. False when a file that is there could not be copied.
bool SaveFiles(const std::vector<std::string>& paths, const std::string& folder,
               std::vector<std::string>& lines);

// What a restore did to one path.
enum class FileRestore { Unchanged, Restored, Deleted, Failed };
struct RestoredFile {
    std::string path;
    FileRestore result;
    unsigned long error;
};

// Puts every saved path among allowed back as it was (a line naming another path is not the journal's
// own and is passed over); each file it changes or cannot change is reported.
std::vector<RestoredFile> RestoreFiles(const std::vector<std::string>& lines, const std::string& folder,
                                       const std::vector<std::string>& allowed);
