#pragma once
// The spooler's folders for targetSystem's environment, as the spooler names them; empty when it
// cannot say. The installation copies a driver's files into the driver folder, and the spooler keeps a
// registered driver's files in its version sub-folder.

#include <string>

std::string DriverFolderOf(int targetSystem);
// "0" for Windows 98/Me's drivers, "2" for NT 4.0's, "3" for the later systems', below the driver folder.
std::string DriverVersionFolderOf(int targetSystem);
std::string ProcessorFolderOf(int targetSystem);
