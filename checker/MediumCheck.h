#pragma once
// Checks the installation medium in the current directory the way the wizard and its engine would
// read it, for each of the six systems, and reports every finding. Returns the number of errors.

#include "checker/Findings.h"

int CheckMedium(Findings& findings);
