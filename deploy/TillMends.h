#pragma once
// The mends repair does for what check finds and a program may mend, each touching only the thing the
// finding names (the medium's printer, the medium's file at the path check named) and saying one line.

#include <windows.h>

#include <string>

#include "common/SharedTypes.h"
#include "deploy/PrinterHealth.h"

// Starts the print spooler service and waits until it runs.
Mend MendStartSpooler();
// Lets the paused printer print again.
Mend MendResume(const std::string& printer);
// Takes back "Use Printer Offline".
Mend MendOnline(const std::string& printer);
// Cancels the job in error (repair /jobs only).
Mend MendCancelJob(const std::string& printer, DWORD jobId, const std::string& document);
// Puts the medium's copy of a file at target, where it is missing or not the medium's. Only a plain name
// directly in the system folder or the spooler's driver, version or processor folder, reached through no
// link, is written; the copy is taken only from a medium, never from the program folder's copy (which
// holds no medium's files, and whatever stands in it may be another program's); otherwise the line says
// why and nothing is written.
Mend MendFileFromMedium(const std::string& target, const std::string& mediumCopy, TargetSystem system);

// The monitor's file put back as MendFileFromMedium does; on the NT family the spooler is then started
// again, so that it loads the monitor (it loads monitors only when it starts).
Mend MendMonitorFile(const std::string& target, const std::string& mediumCopy, TargetSystem system);
