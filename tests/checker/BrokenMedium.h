#pragma once
// A copy of the built demo medium in a scratch directory, with one thing broken by the test, and the
// checker's run on it.

#include <windows.h>

#include <string>

#include "tests/support/TestSupport.h"

struct CheckerRun {
    std::string output;  // the checker's report, lines in the ANSI code page
    DWORD exitCode;
    // True when the report has exactly this line.
    bool HasLine(const std::string& line) const;
};

class BrokenMedium {
public:
    BrokenMedium();
    BrokenMedium(const BrokenMedium&) = delete;
    BrokenMedium& operator=(const BrokenMedium&) = delete;

    bool Copied() const { return copied_; }
    // Writes a key of a file of the medium ("DRVCONFIG\\setup.ini"); a null value removes the key.
    void SetKey(const char* file, const char* section, const char* key, const char* value);
    // Removes a whole section.
    void RemoveSection(const char* file, const char* section);
    // Removes a file of the medium ("winnt\\QVSTD.HLP").
    void RemoveFile(const char* file);
    // Runs the built checker with this medium as its argument.
    CheckerRun Check() const;

private:
    TempDir dir_;
    bool copied_;
};

// Runs the built checker in a directory (as its current directory, without argument).
CheckerRun RunCheckerIn(const std::string& directory);
