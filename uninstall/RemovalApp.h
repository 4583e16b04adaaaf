#pragma once
// The removal window's application object: one removal window at a time, none beside the wizard or
// the deployment program; started from the folder the installation keeps under the program files
// folder, it runs a copy of itself from the temporary folder, so that the folder can go with the rest.

#include <string>

#include "framework/WinApp.h"

class RemovalApp : public CWinApp {
public:
    // Runs the removal window; always false, so the program ends when it returns.
    BOOL InitInstance() override;

private:
    // False when another removal window runs (it is brought to the front) or the wizard or the
    // deployment program runs (the user is told).
    bool MayStart();
    // True when the program was started from the installation's folder and a copy of it now runs from
    // the temporary folder in its place.
    bool HandedToTemporaryCopy();
    void RunWindow();

    HANDLE mutex_ = nullptr;
    std::string temporaryCopy_;  // this program's own path when it is the temporary copy
};
