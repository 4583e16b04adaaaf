#pragma once
// What a built package says of itself, read through the platform's msi.dll: its product code and
// version, which follow from the medium it was made of.
#include <string>

// A value of the package's Property table ("ProductCode", "ProductVersion"); "<none>" when the package
// or the value cannot be read.
std::string PackageProperty(const std::string& package, const char* name);
