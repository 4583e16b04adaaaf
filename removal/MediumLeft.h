#pragma once
// The inventory of what is left of the medium on this machine, which decides whether the entry in the
// list of installed programs and its folder may go.

#include "common/SharedTypes.h"
#include "removal/MediumNames.h"

// True when no printer, registered driver, port monitor or print processor of the medium is left. A
// list of printers or drivers that cannot be read counts as something left.
bool NothingOfMediumLeft(const MediumNames& names, TargetSystem system);
