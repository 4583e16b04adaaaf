// The findings' own bookkeeping, and the spooler service every printer needs.
#include "deploy/PrinterHealth.h"
#include "deploy/TillMends.h"

#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "engine/ServiceApi.h"

void HealthFindings::Found(const std::string& line) {
    Say(line.c_str());
    ++count_;
}

void HealthFindings::Unread(const std::string& line, DWORD error) {
    SayWithError(line.c_str(), error);
    ++count_;
}

namespace {
// The service's state (SERVICE_RUNNING, ...); false with error when the manager cannot tell. Only the
// rights to connect and to ask the state are asked for, which a user without administrator rights has.
bool SpoolerServiceState(DWORD& state, DWORD& error) {
    ServiceApi& api = Services();
    SC_HANDLE manager = api.openManager(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        error = GetLastError();
        return false;
    }
    SC_HANDLE service = api.openService(manager, "Spooler", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    bool read = service != nullptr && api.queryStatus(service, &status);
    error = read ? 0 : GetLastError();
    if (service != nullptr) api.closeHandle(service);
    api.closeHandle(manager);
    state = status.dwCurrentState;
    return read;
}
}  // namespace

bool CheckSpoolerService(TargetSystem system, HealthFindings& findings) {
    if (system == Windows98Me) return true;
    DWORD state = 0;
    DWORD error = 0;
    if (!SpoolerServiceState(state, error)) {
        findings.Unread(ResourceText(IDS_CHECK_SPOOLER_UNREAD), error);
        return true;
    }
    if (state == SERVICE_RUNNING) return true;
    findings.Found(FormatResource(IDS_CHECK_SPOOLER_STOPPED, state));
    findings.MendWith(MendStartSpooler());
    return false;
}
