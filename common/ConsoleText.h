#pragma once
// Writes a console program's lines in the system's ANSI code page: to a console through the console's own
// conversion, to a file or pipe as the bytes are, so a report can be kept or compared.

#include <windows.h>

// Writes text and a line break ("\r\n") to the handle (a standard handle).
void WriteLine(HANDLE out, const char* text);
