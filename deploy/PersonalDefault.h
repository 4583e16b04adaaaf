#pragma once
// The default printer is each user's own setting. A management suite starts the deployment program as
// the system account, whose default printer no person ever sees: there the program neither sets a
// default nor carries the system account's into a profile, and says so.

// True when this run's default printer is a person's. False under the system account, after a line
// that begins with undone (what the run leaves out), says why and how a log-on script sets it.
bool DefaultPrinterIsAPersons(const char* undone);
