#pragma once
// Control of the print spooler service ("Spooler") on the local service control manager, used while
// a port monitor or print processor file is replaced on the NT family. No state is kept between calls.

#include "common/SharedTypes.h"

// Asks the service to stop and returns after 100 ms without waiting for it to stop; a refusal (the
// service was not running) is not reported.
void StopSpooler();

// Asks every 100 ms, for at most 10 s, until the service reports that it has stopped; the spooler may
// hold its files a while after the stop request. A service that refused to stop is not an error here:
// the wait ends after 10 s, and the caller's copy shows whether the file could be replaced.
void WaitSpoolerStopped();

// Starts the service. A refusal other than "already running" replaces message with its error code.
void StartSpooler(MessageText& message);

// Asks up to 10 times, 300 ms apart, whether the service runs. False after replacing message.
bool WaitSpoolerRunning(MessageText& message);
