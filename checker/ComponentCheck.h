#pragma once
// Checks the components the engine installs for each system the models can be installed on: the
// port monitors of the common file's monitor sections, the print processor's version and the files
// Windows 98/Me installations copy beside every driver.

#include "checker/CheckedModel.h"
#include "checker/Findings.h"
#include "config/SetupConfig.h"

void CheckComponents(SetupConfig& config, const SystemNeeds& needs, Findings& findings);
