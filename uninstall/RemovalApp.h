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
    // The removal in the program's folder (or the one given): its checks, then the window.
    void RunInFolder();
    // True when the program was started from the installation's folder and a copy of it now runs from
    // the temporary folder in its place, or when the folder it was given is not the one the entry
    // records (the user is told): either way this program ends.
    bool HandedToTemporaryCopy();
    // True when the folder given with /folder: is the one the entry records; it is then the folder
    // whose configuration this program reads.
    bool TakeGivenFolder(const std::string& given);
    // The temporary copy goes at the next start, and its folder with it when nothing else is in it.
    void DeleteTemporaryCopy();
    void RunWindow();

    HANDLE mutex_ = nullptr;
    std::string temporaryCopy_;  // this program's own path when it is the temporary copy
};
