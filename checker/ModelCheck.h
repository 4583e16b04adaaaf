#pragma once
// Checks one model of the catalogue in its category file: its port section, the names the wizard
// builds from the model name, the baud rate it suggests, and the descriptors of every system it can be
// installed on. Records in needs which shared components those systems then need.

#include "checker/CheckedModel.h"
#include "checker/Findings.h"
#include "config/SetupConfig.h"

// The caller has checked that the model's category file exists.
void CheckModel(SetupConfig& config, const CheckedModel& model, SystemNeeds& needs, Findings& findings);
