#pragma once
// The engine's primitive operations on the local print spooler. Each passes one of the spooler's
// records to one platform call and turns the outcome into a plain result; a failure replaces the whole
// message text with a string-table text and the platform's error code, a success leaves it untouched.

#include <windows.h>
#include <winspool.h>

#include "common/SharedTypes.h"
#include "engine/DefaultPrinter.h"
#include "engine/DriverFileCopy.h"

// Adds the printer. When its name is taken and noRename is clear, tries the name followed by "(1)"
// up to "(98)"; on success info.pPrinterName is the name the printer was added under.
bool CreatePrinter(PRINTER_INFO_2A& info, DWORD level, bool noRename, MessageText& message);

// Registers the printer driver (level 3).
bool AddDriver(DRIVER_INFO_3A& info, MessageText& message);

// Registers the port monitor (level 2); a monitor already installed counts as success.
bool AddPortMonitor(MONITOR_INFO_2A& info, MessageText& message);

// Registers the print processor for the environment of targetSystem ("Windows 4.0" for Windows 98/Me).
// 1 added; 3005, 183 or 87 the spooler's refusal; 0 any other failure. Writes no message.
int AddProcessor(const char* processorName, const char* fileName, int targetSystem);

// Checks that the spooler can list its ports.
bool CheckPortEnumeration(MessageText& message);
