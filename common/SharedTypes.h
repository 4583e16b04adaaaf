#pragma once
// The enumerations every subsystem shares. Each is stored as a 32-bit signed integer, so the values
// below are also what the configuration files and the pages' members hold.

#include <cstdint>

enum PrinterCategory : int32_t { Receipt = 0, Ticket = 1, Label = 2, Embedded = 3 };

enum TargetSystem : int32_t {
    Windows98Me = 0,
    WindowsNT4 = 1,
    Windows2000 = 2,
    WindowsXP = 3,
    WindowsServer2003 = 4,
    WindowsVista = 5
};

enum InstallMode : int32_t { Advanced = 0, Typical = 1 };

enum PortKind : int32_t { Serial = 0, Parallel = 1, Usb = 2 };

static_assert(sizeof(PrinterCategory) == 4 && sizeof(TargetSystem) == 4 && sizeof(InstallMode) == 4 &&
                  sizeof(PortKind) == 4,
              "the shared enumerations are 32-bit integers");

#include <cstddef>

// The engine's message text (`resultMessage` and the message argument of the engine's operations):
// large enough for the longest message built, a string-table text followed by a file name, an error
// number and a full source path.
constexpr size_t kMessageTextSize = 1024;
typedef char MessageText[kMessageTextSize];
