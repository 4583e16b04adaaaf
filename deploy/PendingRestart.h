#pragma once
// Windows 98/Me loads what an installation put in place only at its next start. Until that start has
// happened, a run that finds nothing to do still answers that a restart is due: the restart is
// remembered by a marker file in the Windows folder whose deletion WININIT.INI asks for, which
// Windows 98/Me carries out at its next start before anything else runs. The marker's presence is the
// pending restart.

// True on Windows 98/Me while a restart an earlier run asked for has not happened.
bool RestartPending();

// Remembers that the run's installation needs a restart. A marker that cannot be scheduled for
// deletion is not left behind (a restart never forgotten would be asked for at every run); that is said
// with the error.
void RememberRestart();
