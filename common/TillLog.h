#pragma once
// The till's own log, QelvanSetup.log in the Windows folder: every program of the product (the wizard,
// the removal window, the deployment program) appends what it did there, so that a support person can
// ask a shop for one file. It is opened at the first line; past kTillLogLimit its lines go to
// QelvanSetup.old (one generation) and it begins afresh, under the lock of the run that found it so.
// A link in its place (symbolic or hard) is left alone, never written through. A log that cannot be
// opened or written, or is such a link, never stops a run: its lines are skipped, and the caller
// decides whether to say so.

#include <windows.h>

#include <string>

// "<Windows folder>\QelvanSetup.log", and the name the log rolls over to.
std::string TillLogPath();
std::string TillLogOldPath();

// Appends text, each of its lines (broken at "\n") a line of its own. False when a line did not reach
// the log (it could not be opened, or refused the write); a line waiting for the lock is no failure.
bool TillLogLine(const std::string& text);
// A format of the string table filled with the arguments, as a line of the log.
bool TillLogResource(UINT id, ...);
// Gives the waiting lines their last wait and closes the log; false when some never got in.
bool CloseTillLog();
