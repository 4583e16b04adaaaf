#pragma once
// An installation before the restart that an earlier removal asked for: the files of the medium's
// registered drivers, installed monitors and processors now in the system's folders are taken out of the
// deletions pending for that restart, so that the restart does not take the new installation's files.

#include "common/SharedTypes.h"
#include "removal/MediumNames.h"

void KeepInstalledFilesAtRestart(const MediumNames& names, TargetSystem system);
