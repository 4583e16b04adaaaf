#pragma once
// What check examines on a till, one part per function: each says its findings as lines of their own,
// each with what to do, and counts them. Nothing here changes the till: printers are opened for use
// only, ports opened and closed at once, keys and folders read.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/SharedTypes.h"
#include "removal/MediumNames.h"
#include "removal/SystemPrinters.h"

// What repair does for a finding a program may mend: says its one line and answers whether it worked.
typedef std::function<bool()> Mend;

// The findings of one run, said as they are made, and the mends repair may do for them (check only
// says the findings).
class HealthFindings {
public:
    // A finding: its line, said at once.
    void Found(const std::string& line);
    // A finding about something that could not be read: its line with the platform's error.
    void Unread(const std::string& line, DWORD error);
    // The mend of the finding just said.
    void MendWith(Mend mend) { mends_.push_back(mend); }
    unsigned Count() const { return count_; }
    const std::vector<Mend>& Mends() const { return mends_; }
    // repair /jobs: jobs in error get a mend too.
    bool mendJobs = false;

private:
    unsigned count_ = 0;
    std::vector<Mend> mends_;
};

// Examines the till as check does (the spooler, then each printer of the medium or the one named).
// kExitRefused, said, for a name that is no printer of the medium.
int InspectTill(const char* named, HealthFindings& findings);

// The medium's copy of a file of the system's folders (a monitor's, the processor's): where a missing
// one is taken from.
std::string MediumCopyOf(const std::string& file, TargetSystem system);

// The print spooler service runs (the NT family; Windows 98/Me has no services). False when it is
// known not to run: nothing the spooler would tell of the printers can then be read.
bool CheckSpoolerService(TargetSystem system, HealthFindings& findings);

// The printer's port is among the system's ports, the medium's monitor that serves it is registered
// with its files present, a USB port has a printer answering with its number, and a serial or parallel
// port can be opened.
void CheckPort(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
               HealthFindings& findings);

// The printer is not paused, in error or used offline, and no job waits in its queue.
void CheckQueue(const SystemPrinter& printer, HealthFindings& findings);

// True when the spooler is printing a job of the printer now: the port it holds is held by the spooler.
bool JobPrinting(const SystemPrinter& printer);

// The printer's driver is registered with every file its registration names present (Windows' own
// universal-driver files included) and as the medium's, and its print
// processor, when the medium's, is registered with its file present.
void CheckDriverAndProcessor(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
                             HealthFindings& findings);
