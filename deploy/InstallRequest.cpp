#include "deploy/InstallRequest.h"

#include <windows.h>

#include "deploy/SwitchTable.h"

namespace {
RequestValue ValueOf(const Switches& switches, const char* name) {
    for (const Switches::Switch& given : switches.All()) {
        if (lstrcmpiA(given.name.c_str(), name) == 0) return {given.value, given.typed};
    }
    return {};
}
}  // namespace

InstallRequest RequestFromSwitches(const Switches& switches) {
    InstallRequest request;
    request.model = ValueOf(switches, "model");
    request.port = ValueOf(switches, "port");
    request.advanced = switches.Has("advanced");
    request.setDefault = switches.Has("default");
    request.renumber = switches.Has("renumber");
    for (const Switches::Switch& given : switches.All()) {
        SerialList list;
        if (SerialListOfSwitch(given.name, list))
            request.serial[static_cast<int>(list)] = {given.value, given.typed};
    }
    return request;
}
