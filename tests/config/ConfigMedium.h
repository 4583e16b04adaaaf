#pragma once
// A scratch installation medium for the configuration tests: a temporary directory with DRVCONFIG
// files the test writes, made the working directory for the test's length.

#include <string>

#include "tests/support/TestSupport.h"

class ConfigMedium {
public:
    ConfigMedium() : workingDirectory_(dir_.Path()) {}
    // name is relative to DRVCONFIG, e.g. "setup.ini".
    void Write(const std::string& name, const std::string& text) {
        WriteTextFile(dir_ / ("DRVCONFIG\\" + name), text);
    }
    std::string Path() const { return dir_.Path(); }

private:
    TempDir dir_{"config"};
    CurrentDirectoryScope workingDirectory_;
};
