#pragma once
// What the walker prints: lines in UTF-8 (the wizard's texts are in the ANSI code page), the pauses
// that let the calling script take a screenshot, and the printers an installation left in the prefix.

#include <string>

// Prints one line in UTF-8, converted from the ANSI code page, and flushes it.
void PrintLine(const std::string& text);
// A message's lines joined into one, separated by " / ".
std::string OneLine(const std::string& text);
// Prints "shot <name>" and waits for a line on standard input (the script's go-ahead once the
// screenshot is taken). At the end of the input it goes on at once.
void PauseForShot(const char* name);
// Prints the maker's printers in the prefix with their driver and port, and the default printer.
void PrintInstalledPrinters();
