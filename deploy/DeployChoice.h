#pragma once
// The choices a person makes on the wizard's pages, made from a request (the install command's
// switches or a profile's entry) with the pages' own rules: the model's mode and system checks, the
// port the port page would offer and its serial settings. Each refusal says the rule's text and names
// the value as it was given.

#include "choices/InstallChoices.h"
#include "deploy/InstallRequest.h"

// Fills choices as the wizard's pages and page flow leave them at the Install command: category,
// model, default-printer option, paths, mode (the program-wide installMode), system, port, driver
// family and serial settings. deviceId is the one USB query's result of this run. False with the
// refusal said. Changes nothing outside the program.
bool MakeChoices(const InstallRequest& request, int deviceId, InstallChoices& choices);

// After FillInstallRecords: false, naming the file, section and key, when the model's configuration
// lacks its driver name or one of the driver, data and configuration files (missing or "0"), as the
// medium check reports it: the engine would register a driver of that name or without that file.
bool CheckDriverRecords(const InstallChoices& choices);
