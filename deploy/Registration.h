#pragma once
// After a run that installed, the deployment program registers the medium's drivers in the list of
// installed programs, as the wizard does: whenever printers or components of the medium are on the
// till, whatever the run's exit code, so that what was installed can be reached from that list. A
// failure to register is said in a line (and the log) and leaves the run's exit code alone. While the
// Windows Installer package is installed, its entry stands for the medium (removal/PackageEntry.h).

// runSucceeded: the run ended as asked; the package's entry takes over an earlier one only then.
void RegisterWhatIsInstalled(bool runSucceeded);
