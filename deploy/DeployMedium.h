#pragma once
// The installation medium the deployment program works on, its catalogue, and the running system it
// installs on.

#include <string>
#include <vector>

#include "common/SharedTypes.h"
#include "config/CatalogueModels.h"
#include "removal/SystemPrinters.h"

// Makes the medium (directory, or the program's own directory when null) the directory every reader
// and the engine's copies resolve against, as it is for the wizard started from the medium. False
// with a line said when the medium cannot be entered or holds no catalogue.
bool OpenMedium(const char* directory);

// The local printers, as ReadSystemPrinters reads them; false with a line naming the error number when
// the spooler cannot list them.
bool ListSystemPrinters(std::vector<SystemPrinter>& printers);

// A path the user gave, taken from the directory the program was started in (the medium becomes the
// current directory once opened).
std::string PathFromStart(const char* path);

// Recognises the running system as the wizard's system page does. False with the wizard's message
// said when the wizard would tick no system there (an unsupported platform, Windows 95, a Windows NT
// it does not know): nothing is installed, listed or removed under another system's names.
bool CheckRunningSystem();
// The system CheckRunningSystem recognised.
TargetSystem RunningSystem();

// The catalogue's model of that name (the catalogue's spelling wins over the case given); false when
// the catalogue has none.
bool FindModel(const char* name, CatalogueModel& model);
