#pragma once
// Checks a model's descriptor section for one system through the wizard's descriptor readers, for both
// key families: the port page sets the STD family for a serial port and the GDI family for a parallel
// or USB port, and it offers a serial and a parallel port on every system.

#include "checker/CheckedModel.h"
#include "checker/Findings.h"
#include "config/SetupConfig.h"

// file: the model's category file as reported. The caller has set config.currentCategory.
void CheckDescriptors(SetupConfig& config, const CheckedModel& model, int targetSystem, const char* file,
                      SystemNeeds& needs, Findings& findings);
