#pragma once
// What the spooler has registered on this machine, with the files each registration names: the
// drivers of an environment, the port monitors and the print processors. Whether a file of a system
// folder belongs to anyone is read from here, by the installation and by removal alike.

#include <windows.h>

#include <string>
#include <vector>

#include "common/FileNames.h"

// A component the system has registered and the full paths of the files its registration holds (a
// monitor or processor key names its file bare, as its "Driver" value holds it).
struct Registration {
    std::string name;
    std::vector<std::string> files;
};

// The drivers registered for targetSystem's environment, with the full paths of their files. False with
// error set when the spooler cannot list them.
bool RegisteredDrivers(int targetSystem, std::vector<Registration>& drivers, DWORD& error);

// The port monitors registered on this machine, each with the file its "Driver" value names.
std::vector<Registration> RegisteredMonitors();

// The print processors registered for targetSystem's environment, each with its file.
std::vector<Registration> RegisteredProcessors(int targetSystem);

// The first registration that names a file of the name (compared without regard to case), in whatever
// folder; null when none does.
const Registration* RegistrationNaming(const std::vector<Registration>& registrations,
                                       const std::string& name);

// True when a driver of targetSystem's environment, a port monitor or a print processor names a file of
// the name. False too when a list could not be read: the caller that acts on "nobody" is told by
// listsRead.
bool AnyRegistrationNames(const std::string& name, int targetSystem, bool& listsRead);
