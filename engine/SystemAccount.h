#pragma once
// Whether the program runs as the system account (LocalSystem, S-1-5-18), as a management suite's
// service starts it. Some settings belong to each user (the default printer): under the system account
// the program would change only the system account's own, which no person ever sees.

#include <windows.h>

// The check in use: RunsAsSystemAccountToken unless a test points it elsewhere for its own duration
// (Wine never runs a program as the system account).
extern bool (*RunsAsSystemAccount)();

// The process token's user is the system account. False on Windows 98/Me, which has no accounts, and
// when the token cannot be read.
bool RunsAsSystemAccountToken();

// The SID is S-1-5-18, the system account's.
bool IsLocalSystemSid(PSID sid);
