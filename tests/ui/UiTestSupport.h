#pragma once
// What the UI tests share: the wizard's window ids and texts, and a copied medium for tests that
// change it.

#include <string>

#include "common/ResourceText.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WizardDriver.h"

// The Windows version every UI test runs the wizard with, unless a test says otherwise.
constexpr char kTestWindowsVersion[] = "winxp";
constexpr char kWizardCaption[] = "Qelvan";
constexpr char kAppTitle[] = "QelvanSetup";

// Starts the built wizard from workingDir (the built medium by default) and waits for its frame.
// Returns the frame, or null when it did not appear.
HWND StartWizard(WizardDriver& driver, const std::string& workingDir = WizardDriver::BuiltMedium());

// Ends a running wizard with its Cancel button; true when the process ended.
bool CancelWizard(WizardDriver& driver, HWND wizard);
