#pragma once
// A kept printer's driver brought up to a newer medium: when a file of the registered driver is older
// than the medium's (by version, else by content and time), the driver is added again with the medium's
// files, and the printers that use it keep it. A driver with files both older and newer than the
// medium's, or with an older file another driver also names, is left as it is and the run fails; so is
// one whose files cannot be read (it may be older), and one whose files do not all match the medium's
// after the update.

#include "choices/InstallChoices.h"

// After PrepareInstall, for the driver choices names. updated tells whether the driver was added again;
// a line names it. False with the reason said when the update failed or did not take.
bool UpdateDriverFromMedium(InstallChoices& choices, bool& updated);
