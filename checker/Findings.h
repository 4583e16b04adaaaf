#pragma once
// The checker's report: one line per finding, naming the file, section and key it concerns, and the
// counts for the closing line. Lines go to standard output as they are found, in the system's ANSI
// code page like every text of the wizard.
//
// Errors are faults a user meets at Install time or that hide a model: a catalogue entry the printer
// page leaves out, a missing file or section, a required key missing or empty, a named file absent
// from its system's sub-directory, a name that is not a bare file name, a section or port name that
// does not fit its buffer. Warnings are doubtful values the wizard still installs with: a DEFAULTNAME
// that preselects nothing, a BaudRate the port page does not offer, a version of 0 that never updates,
// a file the engine only uses as a fallback or tolerates missing, a section a flag keeps unused, a
// program beside the wizard without which it installs but registers no entry in the list of installed
// programs.

#include <windows.h>

class Findings {
public:
    explicit Findings(HANDLE out) : out_(out) {}
    Findings(const Findings&) = delete;
    Findings& operator=(const Findings&) = delete;

    // section and key may be null or empty when the finding concerns the whole file or section. The
    // text is given whole, or as the identifier of a text of the checker's string table.
    void Error(const char* file, const char* section, const char* key, const char* text);
    void Error(const char* file, const char* section, const char* key, UINT textId);
    void Warning(const char* file, const char* section, const char* key, const char* text);
    void Warning(const char* file, const char* section, const char* key, UINT textId);

    int ErrorCount() const { return errors_; }
    int WarningCount() const { return warnings_; }
    // The closing line with both counts.
    void PrintSummary();

private:
    // lineId: the error's or the warning's line format.
    void Add(UINT lineId, const char* file, const char* section, const char* key, const char* text);
    HANDLE out_;
    int errors_ = 0;
    int warnings_ = 0;
};
