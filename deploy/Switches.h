#pragma once
// The command line in Windows' conventions: a command word followed by switches "/name" or
// "/name:value", names compared without regard to case.

#include <string>
#include <vector>

class Switches {
public:
    // Parses argv[1..argc-1]. The first word that is not a switch is the command; a second one is kept
    // as a stray word (reported by FirstUnknown).
    Switches(int argc, char** argv);

    const std::string& Command() const { return command_; }
    bool Has(const char* name) const;
    // The value of /name:value; null when the switch is absent or has no value.
    const char* Value(const char* name) const;
    // The first switch (or stray word) not among the allowed names, which end with a null; empty when
    // every one is allowed.
    std::string FirstUnknown(const char* const* allowed) const;
    // True when a switch that needs a value (/name:value) was given without one; name receives it.
    bool MissingValue(const char* const* valued, std::string& name) const;

private:
    struct Switch {
        std::string name;
        std::string value;
        bool hasValue;
    };
    const Switch* Find(const char* name) const;

    std::string command_;
    std::vector<Switch> switches_;
    std::vector<std::string> strays_;
};

// Says what does not fit the command: a stray word, a switch not among allowed (ending with a null), or
// the missing required switch (/required:value). True when everything fits.
bool SwitchesFit(const Switches& switches, const char* const* allowed, const char* required = nullptr);
