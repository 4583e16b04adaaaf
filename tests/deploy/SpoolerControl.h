#pragma once
// Starts or stops the "Spooler" service, as a till's administrator would, and waits until it reports
// the state asked for. False when it never does.
#include <windows.h>

#include "tests/support/ServiceState.h"

inline bool ControlSpooler(bool run) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_START | SERVICE_STOP) : nullptr;
    SERVICE_STATUS status = {};
    if (service != nullptr && run) StartServiceA(service, 0, nullptr);
    if (service != nullptr && !run) ControlService(service, SERVICE_CONTROL_STOP, &status);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    DWORD wanted = run ? SERVICE_RUNNING : SERVICE_STOPPED;
    for (int i = 0; i < 100 && SpoolerState() != wanted; ++i) Sleep(20);
    return SpoolerState() == wanted;
}
