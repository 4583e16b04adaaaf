#pragma once
// The version resource of a file (a driver's, a program's), as the platform's version functions read it.

#include <string>

struct FileVersion {
    bool present = false;           // the file has a version resource
    unsigned long long number = 0;  // major, minor, build, revision from the highest word down
    std::string text;               // "major.minor.build.revision"
};

FileVersion ReadFileVersion(const std::string& path);
