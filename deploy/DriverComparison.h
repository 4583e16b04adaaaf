#pragma once
// A registered driver's files against the medium's files of the same names: the version resource where
// both files have one, else their content, and where the contents differ, the till's file written later
// or, where the times cannot tell, the version of the medium that added the driver (see
// engine/DriverMediumRecord.h) against the running medium's. The
// files compared are the registered ones and those the medium names for the driver (its plug-ins, which
// the registration need not list); the system's shared files, which the medium supplies only where
// missing, are the system's own and not compared. The deployment program's list reports it, and a kept
// printer's driver is added again from a newer medium by it.

#include <string>
#include <vector>

#include "common/SharedTypes.h"

enum class DriverAgainstMedium {
    NotRegistered,  // no driver of the name in the system's environment
    NoMediumFiles,  // the medium holds none of its files (a copy of the programs without the driver files)
    Unreadable,     // a file could not be read (held open by another program, say)
    Same,           // every compared file agrees with the medium's
    Older,          // a file is older than the medium's, or missing on the till, and none newer
    Newer,          // a file is newer than the medium's, and none older
    Mixed,          // some files are older and some newer: the medium cannot bring it up to date
};

struct DriverComparison {
    DriverAgainstMedium state = DriverAgainstMedium::Same;
    std::string file;              // the file the state speaks of (the first older one when Mixed)
    std::string installedVersion;  // its versions, where both files have one ("1.0.0.5")
    std::string mediumVersion;
    bool byMediumVersion = false;         // the versions are the media's: the files have none
    std::string newerFile;                // Mixed: the first newer file
    unsigned long error = 0;              // Unreadable: the platform's code
    std::vector<std::string> olderPaths;  // the installed paths of every older file
};

// The driver of the name, registered for the system's environment, against the medium's sub-directory
// for the system (below the current directory, the medium's). namedFiles: the bare names the medium
// gives the driver's files.
DriverComparison CompareDriverWithMedium(const std::string& driverName,
                                         const std::vector<std::string>& namedFiles, TargetSystem system);

// The words of a comparison for a line: "与安装介质上的相同（最新）", "文件 X 已安装版本 a，介质版本
// b（过旧）", ...
std::string DescribeComparison(const DriverComparison& comparison);

// The other registered driver that names one of the paths (files an update would replace), so that
// replacing it would change that driver too; empty when none does. file receives the path.
std::string OtherDriverSharing(const std::string& driverName, const std::vector<std::string>& paths,
                               TargetSystem system, std::string& file);
