#pragma once
// What the package's properties ask of QelvanDeploy, and the command lines that ask it. Pure: the
// custom actions read the properties and hand what the deferred phase needs on to it.

#include <string>
#include <vector>

struct PackageSettings {
    std::string programFolder;  // the installed medium, ending with a backslash (INSTALLDIR)
    std::string profile;        // where the profile was read: PROFILE, beside the package, or remembered
    std::string profileText;    // the profile's bytes as this run read them
    std::string log;            // QELVANLOG: the shared log, or empty
    std::string journal;        // the folder of the run's journal (and of the profile apply reads)
    bool exact = false;         // EXACT
    bool renumber = false;      // RENUMBER
    bool testPage = false;      // TESTPAGE
};

// The switch properties (EXACT, RENUMBER, TESTPAGE): "1"/"Yes" on, "0"/"No" or empty off, in any case.
// False for any other value.
bool ReadSwitchProperty(const std::string& value, bool& on);

// The profile an installation applies when PROFILE is not given: QelvanProfile.ini in the package's
// own folder (the folder of OriginalDatabase, a local or UNC path).
std::string ProfileBesidePackage(const std::string& originalDatabase);
// The file name looked for beside the package.
extern const char kProfileBesidePackage[];
// The file the deferred phase writes the profile's text to, beside the journal's folder.
std::string AppliedProfilePath(const std::string& journal);

// "...QelvanDeploy.exe" apply /file:"..." /journal:"..." with the switches the properties ask for.
std::string ApplyCommandLine(const PackageSettings& settings);
// "...QelvanDeploy.exe" rollback /journal:"..." of the package's own copy in runFolder, and the
// installed program's commit /journal:"...".
std::string RollbackCommandLine(const PackageSettings& settings, const std::string& runFolder);
std::string CommitCommandLine(const PackageSettings& settings);
// program remove /all /driver /components /medium:"..." with the shared log when one is named: the
// package's own copy of QelvanDeploy and the medium's names, unpacked in mediumFolder.
std::string RemoveCommandLine(const PackageSettings& settings, const std::string& mediumFolder);

// The data a deferred action gets (CustomActionData): fields that hold no line end, one a line.
std::string PackedFields(const std::vector<std::string>& fields);
std::vector<std::string> UnpackedFields(const std::string& data);
