#pragma once
// What a built package says of itself, read through the platform's msi.dll: its product code and
// version, which follow from the medium it was made of.
#include <string>

// A value of the package's Property table ("ProductCode", "ProductVersion"); "<none>" when the package
// or the value cannot be read.
std::string PackageProperty(const std::string& package, const char* name);

// msiexec ARGUMENTS /qn /l*v started from a Windows process in folder (the exit code whole), with
// msiexec and QelvanDeploy seeing the Windows version given; log receives the /l*v log's text, which is
// written beside the package as package.log.
unsigned long RunMsiexec(const std::string& arguments, const std::string& folder, std::string& log,
                         const char* windowsVersion = "winxp");
