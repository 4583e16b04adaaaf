#pragma once
// The state of the "Spooler" service as the service control manager reports it.

#include <windows.h>

// The service's state (SERVICE_RUNNING, SERVICE_STOPPED, ...); 0 when it cannot be read.
DWORD SpoolerState();
// The process serving the service; 0 while it does not run or when it cannot be read.
DWORD SpoolerProcessId();
