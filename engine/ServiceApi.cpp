#include "engine/ServiceApi.h"

namespace {
// Built while the program starts, before any thread of its own (see SpoolerApi.cpp).
ServiceApi api = {OpenSCManagerA, OpenServiceA,       ControlService,
                  StartServiceA,  QueryServiceStatus, CloseServiceHandle};
}  // namespace

ServiceApi& Services() {
    return api;
}
