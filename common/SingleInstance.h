#pragma once
// The single-instance rule of the wizard, which every program on the medium that changes the system
// keeps too: one named mutex, held while a program runs, and no run beside the maker's companion
// uninstaller.

#include <windows.h>

// The wizard's own caption, by which a second copy or another program of the medium finds it.
extern const char kWizardCaption[];
// What a program says when the companion uninstaller's window is open.
extern const char kCloseUninstallerText[];
// The companion uninstaller, the removal window: its caption and the mutex it holds while it runs.
extern const char kRemovalWindowCaption[];
extern const char kRemovalWindowMutex[];
// The mutex the wizard started as QelvanSetup.exe holds, which the deployment program takes too.
extern const char kWizardMutex[];

// Why a program may not start beside the others.
enum class StartRefusal {
    None,
    SameNameRuns,     // the named mutex is held by another process
    WizardOpen,       // a window captioned as the wizard is open (only when asked to look for it)
    UninstallerOpen,  // the companion uninstaller ("Drovix") shows its window
};

// The rule every program applies at its start: creates the named mutex, owned, into mutex (null when
// the platform gives none, or when another process holds the name: the program then does not run),
// then looks for the companion uninstaller (its window or its mutex) and, with lookForWizard, for the
// wizard's window, whatever program file the wizard was started as.
StartRefusal CheckSingleInstance(const char* mutexName, bool lookForWizard, HANDLE& mutex);

// The removal window's rule: its own mutex (SameNameRuns when another removal window holds it), then
// no wizard (by its caption or its mutex) and no deployment program (which holds the wizard's mutex).
StartRefusal CheckRemovalWindowStart(HANDLE& mutex);
