#pragma once
// The command line in Windows' conventions: a command word followed by switches "/name" or
// "/name:value" ("-" serves as "/" too), names compared without regard to case. What each command
// accepts is the switch table's business (SwitchTable.h).

#include <string>
#include <vector>

class Switches {
public:
    struct Switch {
        std::string typed;  // as the user typed it, "-" or "/" included
        std::string name;
        std::string value;
        bool hasValue;
    };

    // Parses argv[1..argc-1]. The first word that is not a switch is the command; further ones are kept
    // as stray words.
    Switches(int argc, char** argv);

    const std::string& Command() const { return command_; }
    const std::vector<Switch>& All() const { return switches_; }
    const std::vector<std::string>& Strays() const { return strays_; }
    bool Has(const char* name) const;
    // The value of /name:value; null when the switch is absent or has no value.
    const char* Value(const char* name) const;

private:
    const Switch* Find(const char* name) const;

    std::string command_;
    std::vector<Switch> switches_;
    std::vector<std::string> strays_;
};
