#pragma once
// Checks the catalogue (section DEVICENAME of the common file) through the wizard's own readers and
// returns the models the printer page would list.

#include <vector>

#include "checker/CheckedModel.h"
#include "checker/Findings.h"
#include "config/SetupConfig.h"

std::vector<CheckedModel> CheckCatalogue(SetupConfig& config, Findings& findings);
