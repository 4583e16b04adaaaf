#include "tests/support/ServiceState.h"

namespace {
// The service's status; all zero when the service control manager does not answer.
SERVICE_STATUS_PROCESS QuerySpooler() {
    SERVICE_STATUS_PROCESS status = {};
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS) : nullptr;
    DWORD needed = 0;
    if (service == nullptr || !QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO,
                                                    reinterpret_cast<BYTE*>(&status), sizeof status, &needed))
        status = SERVICE_STATUS_PROCESS();
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return status;
}
}  // namespace

DWORD SpoolerState() {
    return QuerySpooler().dwCurrentState;
}

DWORD SpoolerProcessId() {
    return QuerySpooler().dwProcessId;
}
