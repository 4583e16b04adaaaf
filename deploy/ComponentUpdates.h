#pragma once
// Every outdated component brought up to date in one run. The engine's component step replaces only
// the first outdated one per installation (the wizard's order: serial-port monitor, USB-port monitor,
// print processor); the deployment program goes on with the engine's own update until none is left.

#include "choices/InstallChoices.h"

// After the engine's component step (choices.engineStatus holds what it found outdated; it replaced the
// first): replaces each medium component still older than the medium's, one engine update at a time,
// and says one line per component replaced, naming it. False with the failure said. updated is set when
// any component was replaced in this run.
bool UpdateEveryComponent(InstallChoices& choices, bool& updated);
