#pragma once
// What the deployment program tells its user: every line goes to the standard output in the system's
// ANSI code page and, with /log:FILE, is appended to FILE with the time and the computer's name, always
// under the lock every run holds while it writes, so that runs of many tills sharing one log never write
// over each other's lines. Lines that wait in vain go in with the next line that takes the lock; the
// console says when one waited in vain and how many never got in. Every line also goes to the till's own
// log (common/TillLog.h), whatever /log says; a till log that cannot be written is said once. The
// messages the wizard's readers and engine would show in boxes come here as lines too.

#include <windows.h>

// Opens the log (appending; created when missing). False when the file cannot be opened.
bool OpenDeployLog(const char* path);
void CloseDeployLog();

// A text to the user and the log, each of its lines (broken at "\n") a line of its own.
void Say(const char* text);
// printf-style, never cut.
void SayFormatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A line that ends with the Win32 error number, in the form "  er = %d".
void SayWithError(const char* text, DWORD error);
// A text of the string table, as the wizard would show it.
void SayResourceText(UINT id);
// A format of the string table filled with the arguments, never cut.
void SayResourceFormatted(UINT id, ...);
// A text of the string table followed by the Win32 error number.
void SayResourceWithError(UINT id, DWORD error);

// Routes the message boxes of the readers and the engine to Say: no box waits for a person.
void RouteMessagesToOutput();
