#pragma once
// A kept printer's driver brought up to a newer medium: when a file of the registered driver is older
// than the medium's (or differs in content where the files carry no version), the driver is added again
// with the medium's files, and the printers that use it keep it.

#include "choices/InstallChoices.h"

// After PrepareInstall, for the driver choices names. updated tells whether the driver was added again;
// a line names it. False with the reason said when the update failed or did not take.
bool UpdateDriverFromMedium(InstallChoices& choices, bool& updated);
