#pragma once
// The test page: one page drawn on the printer's own device context, as Windows draws its test page, so
// that the printer's driver turns it into the printer's commands and the page proves the driver, the
// print processor, the port and its monitor together. The spooler cannot know whether paper came out:
// success means the spooler took the whole job.

#include <windows.h>

#include <string>
#include <vector>

// Prints the test page on the printer of that name. kExitDone when the spooler took the whole job;
// kExitRefused, said, for a name that is no printer or a printer whose driver the medium does not name;
// kExitFailed with the step and the error number said.
int PrintTestPageOn(const char* printerName);

// What the page says, line by line (the title first), and the document name the queue shows.
struct TestPageText {
    std::string documentName;
    std::vector<std::string> lines;
};

// Draws the text on the printer's device context as one document of one page. False with step (the
// string-table format of the user's line that names the step that failed; it takes the printer's name)
// and error set.
bool DrawTestPage(const char* driver, const char* printer, const char* port, const TestPageText& text,
                  UINT& step, unsigned long& error);
