#pragma once
// The one table of the deployment program's commands and switches: which switches each command
// accepts, which take a value, which one a command requires. The checks of a command line and the
// usage text (/?) both come from it.

#include <windows.h>

#include <string>

#include "choices/SerialChoice.h"
#include "deploy/Switches.h"

struct CommandRule {
    const char* name;
    unsigned bit;          // the command's bit in SwitchRule::commands
    const char* required;  // the switch the command cannot do without ("a|b": one of them), or null
    UINT help;             // what the command does (string table)
    int (*run)(const Switches& switches);
};

// The rule of the command word given; null with the refusal said (unknown command, a stray word, a
// switch the command does not accept, a flag given a value, a valued switch given none, a switch given
// twice, a required switch missing). Nothing outside the program is looked at.
const CommandRule* CheckCommandLine(const Switches& switches);

// The port page's serial list whose texts the switch's value takes; false for other switches.
bool SerialListOfSwitch(const std::string& name, SerialList& list);

// The usage text, line by line.
void SayUsage();
