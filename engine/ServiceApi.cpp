#include "engine/ServiceApi.h"

ServiceApi& Services() {
    static ServiceApi api = {OpenSCManagerA, OpenServiceA,       ControlService,
                             StartServiceA,  QueryServiceStatus, CloseServiceHandle};
    return api;
}
