#pragma once
// The deployment program's exit codes: the Windows Installer's, which management suites already
// understand.

constexpr int kExitDone = 0;
constexpr int kExitRestartNeeded = 3010;   // done; Windows 98/Me must restart to finish
constexpr int kExitRestartStarted = 1641;  // done; the restart that finishes it has been requested
constexpr int kExitFailed = 1603;          // the installation or removal failed
constexpr int kExitRefused = 1639;         // bad switches, or a choice the wizard's rules refuse
constexpr int kExitAlreadyRunning = 1618;  // the wizard or another copy is running
constexpr int kExitNoMedium = 1619;        // the medium cannot be read
constexpr int kExitLogFailed = 1622;       // the log file cannot be opened
