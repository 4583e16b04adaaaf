#pragma once
// The mends repair does for what check finds and a program may mend, each touching only the thing the
// finding names (the medium's printer, the medium's file at the path check named) and saying one line.

#include <windows.h>

#include <string>

#include "deploy/PrinterHealth.h"

// Starts the print spooler service and waits until it runs.
Mend MendStartSpooler();
// Lets the paused printer print again.
Mend MendResume(const std::string& printer);
// Takes back "Use Printer Offline".
Mend MendOnline(const std::string& printer);
// Cancels the job in error (repair /jobs only).
Mend MendCancelJob(const std::string& printer, DWORD jobId, const std::string& document);
// Puts the medium's copy of a file at target, where it is missing or not the medium's; a medium without
// the file (the program folder's copy) says so and mends nothing.
Mend MendFileFromMedium(const std::string& target, const std::string& mediumCopy);
