#pragma once
// After a successful installation the deployment program registers the medium's drivers in the list of
// installed programs, as the wizard does. A failure is said in a line (and the log) and leaves the
// installation's exit code alone.

void RegisterAfterInstallation();
