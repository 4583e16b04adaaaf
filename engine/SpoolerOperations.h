#pragma once
// The engine's primitive operations on the local print spooler. Each passes one of the spooler's
// records to one platform call and turns the outcome into a plain result; a failure replaces the whole
// message text with a string-table text and the platform's error code, a success leaves it untouched.

#include <windows.h>
#include <winspool.h>

#include "common/SharedTypes.h"
#include "engine/DefaultPrinter.h"
#include "engine/DriverFileCopy.h"

// The platform spooler's name rules, which Wine's spooler does not enforce (it stores such a name as
// nested registry keys and answers success): a printer name holds no "\\" or ",", a driver name no
// "\\". A null name is left to the spooler. The medium checker reports names that break them.
bool IsAcceptedPrinterName(const char* name);
bool IsAcceptedDriverName(const char* name);

// Adds the printer; a name the spooler would refuse is refused first, with its error 1801. A name is
// taken when the spooler opens a printer of that name or refuses the add with 1802; a taken name is
// never handed to AddPrinterA, which on Wine would replace that printer. When its name is taken and
// noRename is clear, tries the name followed by "(1)" up to "(98)"; on success info.pPrinterName is the
// name the printer was added under.
bool CreatePrinter(PRINTER_INFO_2A& info, DWORD level, bool noRename, MessageText& message);

// Registers the printer driver (level 3); a name the spooler would refuse is refused first, with its
// error 123. With replaceFiles, where the system has AddPrinterDriverExA (Windows 2000 and later), the
// spooler copies every file of the driver over the one it holds (APD_COPY_ALL_FILES), not only newer
// ones; elsewhere the plain call, which copies them all.
bool AddDriver(DRIVER_INFO_3A& info, MessageText& message, bool replaceFiles = false);

// Registers the port monitor (level 2); a monitor already installed counts as success.
bool AddPortMonitor(MONITOR_INFO_2A& info, MessageText& message);

// Registers the print processor for the environment of targetSystem ("Windows 4.0" for Windows 98/Me).
// 1 added; 3005, 183 or 87 the spooler's refusal; 0 any other failure. Writes no message.
int AddProcessor(const char* processorName, const char* fileName, int targetSystem);

// Checks that the spooler can list its ports.
bool CheckPortEnumeration(MessageText& message);
