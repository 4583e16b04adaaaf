#pragma once
// The NT family's renames and deletions waiting for the next start of the system.

#include <string>

// HKLM "...\Session Manager" PendingFileRenameOperations, one path a line; empty when there is none.
std::string PendingRenames();
