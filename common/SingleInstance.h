#pragma once
// The single-instance rule of the wizard, which every program on the medium that changes the system
// keeps too: one named mutex, held while a program runs, and no run beside the maker's companion
// uninstaller. The wizard is recognised by its mutex or by its own dialog (the standard dialog class
// and its caption), never by its caption alone: Explorer captions a window open on the folder "Qelvan"
// exactly as the wizard is captioned. The companion uninstaller is found by its caption "Drovix" alone,
// whatever its window class: an older one of the maker's may be any kind of window, and nothing else
// bears that caption.

#include <windows.h>

// The wizard's own caption, by which a second copy or another program of the medium finds it.
extern const char kWizardCaption[];
// The companion uninstaller, the removal window: its caption and the mutex it holds while it runs.
extern const char kRemovalWindowCaption[];
extern const char kRemovalWindowMutex[];
// The mutex the wizard started as QelvanSetup.exe holds, which the deployment program takes too.
extern const char kWizardMutex[];
// The mutex only the deployment program holds, while it installs or removes: the wizard started under
// any file name finds it.
extern const char kDeployMutex[];

// Why a program may not start beside the others.
enum class StartRefusal {
    None,
    SameNameRuns,     // the named mutex is held by another process
    WizardOpen,       // the wizard's dialog is open (only when asked to look for it)
    UninstallerOpen,  // the companion uninstaller ("Drovix") shows its window or holds its mutex
    DeployRuns,       // the deployment program installs or removes (only for the wizard)
};

// The top-level dialog of this product with the caption given (the wizard's, the removal window's),
// or null: a window of another class with the same caption does not count.
HWND FindProductDialog(const char* caption);

// Any top-level window captioned "Drovix", of whatever class, or null.
HWND FindRemovalWindow();

// True when a mutex of the name exists, held by any process.
bool MutexExists(const char* name);

// The rule every program applies at its start: creates the named mutex, owned, into mutex (null when
// the platform gives none, or when another process holds the name: the program then does not run),
// then looks for the companion uninstaller (its dialog or its mutex) and, with lookForWizard, for the
// wizard's dialog, whatever program file the wizard was started as.
StartRefusal CheckSingleInstance(const char* mutexName, bool lookForWizard, HANDLE& mutex);

// The wizard's rule: CheckSingleInstance under its own name, but first no deployment program at work
// (which holds the wizard's mutex too, so that a wizard started as QelvanSetup.exe would otherwise take
// it for a second wizard and end without a word).
StartRefusal CheckWizardStart(const char* mutexName, HANDLE& mutex);

// The removal window's rule: its own mutex (SameNameRuns when another removal window holds it), then
// no wizard (by its dialog or its mutex) and no deployment program (which holds the wizard's mutex).
StartRefusal CheckRemovalWindowStart(HANDLE& mutex);
