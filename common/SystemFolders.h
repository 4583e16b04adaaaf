#pragma once
// The system's own folders, without a closing backslash: the system folder (where port monitors live)
// and the Windows folder (the till's log, WININIT.INI, the temporary folder). Empty when the system
// cannot tell or the path does not fit.

#include <string>

std::string SystemFolder();
std::string WindowsFolder();
