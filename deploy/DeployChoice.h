#pragma once
// The choices a person makes on the wizard's pages, made from the install command's switches with the
// pages' own rules: the model's mode and system checks, the port the port page would offer and its
// serial settings. Each refusal says the rule's text.

#include "choices/InstallChoices.h"
#include "deploy/Switches.h"

// Fills choices as the wizard's pages and page flow leave them at the Install command: category,
// model, default-printer option, paths, mode (the program-wide installMode), system, port, driver
// family and serial settings. False with the refusal said.
bool MakeChoices(const Switches& switches, InstallChoices& choices);
