#pragma once
// The rollover of a log with a size limit: past its limit the log's lines go to its ".old" file (one
// generation, replacing an older one) and the log begins afresh. The log itself is copied and emptied,
// never renamed: every run holds it open and writes under the lock on its one byte, so the lock of the
// run that rolls over covers the decision, the copy, the emptying and that run's own lines.

#include <windows.h>

// True when a file of the size GetFileSize gives, in its low and high halves, is larger than limit.
bool PastLimit(DWORD sizeLow, DWORD sizeHigh, DWORD limit);

// Rolls the open log over when it has grown past limit; the caller holds the log's lock for the whole
// of it. The old generation is written to a new file beside oldPath that then takes its place, so a
// link in oldPath's place is never written, renamed or deleted through: such a log is left to grow. True
// when the log is within its limit afterwards; false when it stays past it.
bool RollOverPastLimit(HANDLE log, DWORD limit, const char* oldPath);
