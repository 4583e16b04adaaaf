#pragma once
// The printers of this machine as the removal programs and the deployment program's list see them.

#include <windows.h>

#include <string>
#include <vector>

struct SystemPrinter {
    std::string name;
    std::string port;
    std::string driver;
    std::string processor;
    bool isDefault;
};

// The local printers, in the spooler's order. False when the spooler cannot list them; error then holds
// the platform's code.
bool ReadSystemPrinters(std::vector<SystemPrinter>& printers, DWORD& error);

// What the spooler's answer to the size query (EnumPrintersA with no buffer) means: the query must fail
// with ERROR_INSUFFICIENT_BUFFER, or succeed with nothing needed when there is no printer at all;
// anything else is a spooler that cannot list its printers.
enum class EnumerationStart { NoPrinters, ReadList, Failed };
EnumerationStart JudgeSizeQuery(BOOL answered, DWORD error, DWORD needed);
