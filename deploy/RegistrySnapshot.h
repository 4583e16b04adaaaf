#pragma once
// A registry key's tree as it stood before a run, kept as journal lines, and made so again afterwards:
// values and sub-keys the run added go, values it changed or deleted come back. One sub-key may be
// left out on both sides (the package's marker, which the Windows Installer takes back itself).

#include <windows.h>

#include <string>
#include <vector>

struct KeySnapshot {
    HKEY root;
    std::string path;
    std::string excluded;  // a direct sub-key's name left as it is, or empty
};

// The key's tree as journal lines (JournalLines.h): "K" with the key's place, then "k" for each key and
// "v" for each value in it, or "K" alone when the key is not there. False when a key or value that is
// there cannot be read.
bool SaveKeyTree(const KeySnapshot& key, std::vector<std::string>& lines);

// The saved trees among allowed (compared by root, path and excluded sub-key), each made again as its
// lines say; a tree of another place is not the journal's own and is passed over. Each key or value
// that cannot be made as it was is added to failures.
void RestoreKeyTrees(const std::vector<std::string>& lines, const std::vector<KeySnapshot>& allowed,
                     std::vector<std::string>& failures);
