#pragma once
// The demo of scripts/run without a display: the built wizard walked on the demo medium, page by page,
// with a pause on each page, the progress window and the result message for the script's screenshot;
// then what was installed, read from the prefix.

// windowsVersion: the system the wizard is to see ("winxp", ...). Returns the process exit code.
int RunDemo(const char* windowsVersion);
