#pragma once
// Names and paths as the system compares them: without regard to case, a path's last part its file
// name. One home for these small rules, which every layer needs.

#include <string>
#include <vector>

// True when the two texts are the same without regard to case (the ANSI code page's rules, as the
// spooler, the registry and the file system compare names).
bool SameText(const std::string& one, const std::string& other);

// True when names holds name, compared as SameText compares.
bool ListedIn(const std::vector<std::string>& names, const std::string& name);

// The last part of a path (after its last "\"), the whole text when it has none.
std::string FileNameOf(const std::string& path);

// The path without its last part and without the "\" before it; empty when it has no "\".
std::string FolderOf(const std::string& path);

// True when something of the path exists (a file, a folder, a link).
bool PathExists(const std::string& path);

// True when the path names a file (not a folder) that exists.
bool IsPlainFile(const std::string& path);
