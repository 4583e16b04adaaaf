#pragma once
// The texts of the wizard's string table as the wizard shows them.

#include <string>

// A string-table text loaded with the wizard's own loader; empty when the table has no such entry.
std::string ResourceText(unsigned id);
