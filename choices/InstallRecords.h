#pragma once
// The Install command's filling of the installation record, and the page checks a choice must pass,
// as plain functions: the wizard's frame and every program that installs without the wizard's pages
// call these, so the two can never disagree.

#include <windows.h>

#include "choices/InstallChoices.h"

// The string-table text that refuses the model on targetSystem (Windows Server 2003 or Vista without
// the model's System2003Supported / SystemVistaSupported), or 0 when the system is supported. iniPath
// and section are the category file and the model's port section.
UINT SystemRefusal(const char* iniPath, const char* section, int targetSystem);

// True when the model's AdvancedSetup lets the advanced install mode be chosen.
bool AdvancedModeOffered(const char* iniPath, const char* section);

// Fills the driver's files, the driver and the printer from the model's descriptor section for the
// chosen system and driver family. The records are zeroed first.
void FillInstallRecords(InstallChoices& choices);

// After the USB numbering check: the printer name's port suffix and, for a USB port, the port alias of
// certain models and the port's registry record.
void ApplyPortNaming(InstallChoices& choices);
