#pragma once
// The connected USB printer across the entries of one apply run. One printer answers at a time, and a
// renumbered printer answers with its old number until it is reset: the run remembers the numbers
// under which its entries hold the printer, so that no later entry renumbers a printer an earlier one
// installed or kept.

#include <string>

#include "choices/InstallChoices.h"
#include "choices/InstallRules.h"
#include "deploy/InstallRequest.h"

class UsbOfRun {
public:
    UsbOfRun();  // asks the connected USB printer
    int DeviceId() const { return deviceId_; }

    // Before anything changes: false with the refusal said, naming the entry's Port key, for a USB entry
    // whose printer is not yet on its port and that the connected printer cannot serve: it would need a
    // renumbering the run is not allowed (renumber false), or a printer where none answers. An entry whose
    // printer is already on its port holds its number from the start, whatever the entries' order.
    bool CheckUpFront(const InstallRequest& request, const InstallChoices& choices, bool renumber);
    // Before an entry installs: false with a line when it would renumber the printer an earlier entry of
    // this run holds (no further printer answers).
    bool BeforeEntry(const InstallRequest& request, const InstallChoices& choices,
                     const std::string& section);
    // After the entry: the numbers whose printer it holds; after a renumbering the printer is asked again.
    void AfterEntry(bool done);

private:
    struct Pending {
        bool usb = false;
        bool renumbers = false;
        int ownNumber = 0;
        int targetNumber = 0;
    };
    void Hold(int number);

    int deviceId_;
    bool held_[9] = {};  // by USB port number 1..8
    Pending pending_;
};
