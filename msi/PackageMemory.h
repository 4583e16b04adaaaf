#pragma once
// What the package remembers with the product, for its repair and removal: the values its registry
// table writes beside the marker under HKLM "SOFTWARE\Qelvan\PrinterDriversPackage" from the properties
// the installation read (the switch properties, QELVANLOG, the profile's path and its bytes as
// hexadecimal digits). Read in the immediate phase, before the script writes them anew.

#include <string>

// The remembered value of the property of that name (EXACT, RENUMBER, TESTPAGE, QELVANLOG); empty when
// none is remembered.
std::string RememberedProperty(const char* name);

// The profile the installation applied: where it was read and its bytes. False when none is remembered.
bool RememberedProfile(std::string& path, std::string& text);

// Deletes the marker's key with what it remembers, once the package's removal has removed the drivers.
void ForgetPackage();
