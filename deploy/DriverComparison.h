#pragma once
// A registered driver's files against the medium's files of the same names: the version resource where
// both files have one, else their content. The files the medium does not hold, and the system's shared
// files it only supplies where missing, are the system's own and not compared. The deployment program's list
// reports it, and a kept printer's driver is added again from a newer medium by it.

#include <string>

#include "common/SharedTypes.h"

enum class DriverAgainstMedium {
    NotRegistered,  // no driver of the name in the system's environment
    Same,           // every compared file agrees with the medium's
    Older,          // a file is older than the medium's, or differs in content
    Newer,          // a file's version is newer than the medium's (and none is older)
};

struct DriverComparison {
    DriverAgainstMedium state;
    std::string file;              // the first file that differs
    std::string installedVersion;  // its versions, where both files have one ("1.0.0.5")
    std::string mediumVersion;
};

// The driver of the name, registered for the system's environment, against the medium's sub-directory
// for the system (below the current directory, the medium's).
DriverComparison CompareDriverWithMedium(const std::string& driverName, TargetSystem system);

// The words of a comparison for a line: "与安装介质上的相同", "文件 X 已安装版本 a，介质版本 b（过旧）", ...
std::string DescribeComparison(const DriverComparison& comparison);
