#pragma once
// What the package's properties ask of QelvanDeploy, and the command lines that ask it. Pure: the
// custom actions read the properties and hand the command line on to the deferred phase.

#include <string>

struct PackageSettings {
    std::string programFolder;  // the installed medium, ending with a backslash (INSTALLDIR)
    std::string profile;        // the profile file to apply
    std::string log;            // QELVANLOG: the shared log, or empty
    bool exact = false;         // EXACT=1
    bool renumber = false;      // RENUMBER=1
    bool testPage = false;      // TESTPAGE=1
};

// A property that switches something on: set, and neither "0" nor "No".
bool PropertyIsOn(const std::string& value);

// The profile an installation applies: PROFILE when given, else QelvanProfile.ini in the package's own
// folder (the folder of OriginalDatabase, a local or UNC path).
std::string ChosenProfile(const std::string& profileProperty, const std::string& originalDatabase);
// The file name looked for beside the package.
extern const char kProfileBesidePackage[];

// "...QelvanDeploy.exe" apply /file:"..." with the switches the properties ask for.
std::string ApplyCommandLine(const PackageSettings& settings);
// "...QelvanDeploy.exe" remove /all /driver /components, with the shared log when one is named.
std::string RemoveCommandLine(const PackageSettings& settings);
