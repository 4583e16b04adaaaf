#pragma once
// The single-instance rule of the wizard, which every program on the medium that changes the system
// keeps too: one named mutex, held while a program runs, and no run beside the maker's companion
// uninstaller.

#include <windows.h>

// Creates the named mutex, owned, into mutex (null when the platform gives none: the program then runs
// without the lock). True when another process holds that name already; the handle is then closed.
bool AnotherInstanceRuns(const char* name, HANDLE& mutex);

// True when the maker's companion uninstaller ("Drovix") shows its window.
bool CompanionUninstallerRunning();
