#pragma once
// What a script asks the deployment program to install: the model, the port, the mode and the serial
// texts, from the install command's switches or from an entry of a profile file. Each value remembers
// how it was given, so that a refusal names the switch or the file's section and key.

#include <string>

#include "choices/SerialChoice.h"
#include "deploy/Switches.h"

struct RequestValue {
    std::string text;
    std::string where;  // as given: "/port:TVCOM2:" or "[打印机1] Port"; empty when not given
    bool Given() const { return !where.empty(); }
};

constexpr int kSerialListCount = 5;

struct InstallRequest {
    RequestValue model;
    RequestValue port;
    bool advanced = false;
    bool setDefault = false;
    bool renumber = false;
    RequestValue serial[kSerialListCount];  // indexed by SerialList
};

// The request the install command's switches make (the switch table has checked them).
InstallRequest RequestFromSwitches(const Switches& switches);
