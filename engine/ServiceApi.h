#pragma once
// The service control manager calls of the engine, reached through one table so that a test can show
// a spooler that refuses to start or never reports running, which Wine's own Spooler never does. The
// table starts with the real functions; production code never changes it.

#include <windows.h>

struct ServiceApi {
    decltype(&OpenSCManagerA) openManager;
    decltype(&OpenServiceA) openService;
    decltype(&ControlService) controlService;
    decltype(&StartServiceA) startService;
    decltype(&QueryServiceStatus) queryStatus;
    decltype(&CloseServiceHandle) closeHandle;
};

// The table in use.
ServiceApi& Services();
