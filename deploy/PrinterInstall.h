#pragma once
// The install command's steps for one printer, shared by every command that installs: the checks that
// change nothing (PrepareInstall), then the USB numbering, the naming and the engine (InstallPrepared).

#include <string>

#include "choices/InstallChoices.h"
#include "deploy/InstallRequest.h"
#include "removal/SystemPrinters.h"

// The choices of the pages' rules for the request, the port kind, the installation record and the
// model's driver records. False with the refusal said; nothing outside the program is changed.
bool PrepareInstall(const InstallRequest& request, int deviceId, InstallChoices& choices);

// Renumbers the connected USB printer when the port needs it and the request allows it, names the
// printer and its port, runs the engine with a line per step, and checks what the wizard leaves
// unchecked: the default printer asked for, and on Windows 98/Me a failure text the engine left.
// Returns kExitDone, kExitFailed or kExitRefused; on success choices.modelName is the printer's name.
int InstallPrepared(const InstallRequest& request, int deviceId, InstallChoices& choices);

// The line for a USB printer whose number does not fit the port, when no renumbering was allowed: the
// connected printer's number and the one the port needs, and the switch that allows it.
void SayRenumberNeeded(const char* where, int deviceId, const char* portName, int targetNumber);

// The port a printer installed on an offered port entry sits on: the entry, or a USB port's alias
// where the model has one.
std::string PortNameForEntry(const char* entry);

// True when the printer is one the choices would install: the model's driver (of the port's family) on
// the chosen port.
bool IsPrinterOf(const SystemPrinter& printer, const InstallChoices& choices);

// What became of a printer asked for.
enum class PrinterOutcome { Installed, Kept, Updated, Failed, Refused };
struct PrinterResult {
    PrinterOutcome outcome;
    int exitCode;        // kExitDone, kExitFailed or kExitRefused
    bool restartNeeded;  // Windows 98/Me: something was installed that the system loads at its next start
};

// After PrepareInstall: a printer with the model's driver already on the chosen port is kept (unless
// again asks for one more, as the wizard would install): the components are brought up to date as an
// installation would, and the default printer and the serial settings asked for are made so.
// Otherwise InstallPrepared installs it. A line says which.
PrinterResult InstallOrKeep(const InstallRequest& request, int deviceId, bool again, InstallChoices& choices);
