#include "engine/SpoolerService.h"

#include <windows.h>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "engine/ServiceApi.h"
#include "resources/ResourceIds.h"

namespace {

const char kSpoolerName[] = "Spooler";
constexpr int kStatusQueries = 10;
constexpr DWORD kQueryPauseMs = 300;
constexpr DWORD kStopPauseMs = 100;
constexpr int kStoppedQueries = 100;
constexpr DWORD kStoppedPauseMs = 100;

// Owns one service control manager or service handle.
class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (handle_) Services().closeHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE get() const { return handle_; }

private:
    SC_HANDLE handle_;
};

SC_HANDLE OpenManager() {
    return Services().openManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
}

}  // namespace

void StopSpooler() {
    ServiceHandle manager(OpenManager());
    if (!manager.get()) return;
    {
        ServiceHandle service(Services().openService(manager.get(), kSpoolerName, SERVICE_STOP));
        if (service.get()) {
            SERVICE_STATUS status = {};
            Services().controlService(service.get(), SERVICE_CONTROL_STOP, &status);
        }
    }
    Sleep(kStopPauseMs);
}

void WaitSpoolerStopped() {
    ServiceHandle manager(OpenManager());
    if (!manager.get()) return;
    ServiceHandle service(Services().openService(manager.get(), kSpoolerName, SERVICE_QUERY_STATUS));
    for (int query = 0; service.get() && query < kStoppedQueries; ++query) {
        SERVICE_STATUS status = {};
        if (!Services().queryStatus(service.get(), &status)) return;
        if (status.dwCurrentState == SERVICE_STOPPED) return;
        Sleep(kStoppedPauseMs);
    }
}

void StartSpooler(MessageText& message) {
    ServiceHandle manager(OpenManager());
    if (!manager.get()) return;
    ServiceHandle service(Services().openService(manager.get(), kSpoolerName, SERVICE_START));
    if (!service.get()) return;
    if (!Services().startService(service.get(), 0, nullptr)) {
        DWORD error = GetLastError();
        if (error != ERROR_SERVICE_ALREADY_RUNNING) {
            FormatResourceText(message, IDS_SPOOLER_START_ERROR, static_cast<unsigned>(error));
        }
    }
}

bool WaitSpoolerRunning(MessageText& message) {
    DWORD state = SERVICE_STOPPED;
    ServiceHandle manager(OpenManager());
    if (manager.get()) {
        ServiceHandle service(Services().openService(manager.get(), kSpoolerName, SERVICE_QUERY_STATUS));
        // A service that cannot be opened counts as one that does not run; asking it is pointless.
        for (int query = 0; service.get() && query < kStatusQueries; ++query) {
            SERVICE_STATUS status = {};
            if (Services().queryStatus(service.get(), &status)) state = status.dwCurrentState;
            if (state == SERVICE_RUNNING) break;
            Sleep(kQueryPauseMs);
        }
    }
    if (state == SERVICE_RUNNING) return true;
    LoadResourceText(IDS_SPOOLER_NOT_STARTED, message);
    return false;
}
