#pragma once
// The fixture of the end-to-end tests: a clean prefix, a copy of the built medium (exe, configuration,
// driver files, the stand-in USB library with its scenario), and the wizard walked from that copy on
// the Windows version a test names. After the installation the test looks at the prefix with the
// helpers of PrefixState.h; InstallationCleanup.h clears the prefix before and after.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/InstallationCleanup.h"
#include "tests/e2e/PrefixState.h"
#include "tests/e2e/WizardWalk.h"
#include "common/ResourceText.h"
#include "tests/support/TestSupport.h"

// The success message the Install command shows itself (Windows 98/Me).
extern const char kOwnSuccessText[];

// A copy of the built medium in a scratch directory, removed with the object.
class MediumCopy {
public:
    MediumCopy();
    const std::string& Path() const { return dir_.Path(); }
    std::string Exe() const { return dir_ / "QelvanSetup.exe"; }
    std::string operator/(const std::string& relative) const { return dir_ / relative; }
    // The printers the stand-in USB library simulates: "index=device id" pairs, e.g. {{0, 2}}.
    bool SetUsbPrinters(const std::vector<std::pair<int, int>>& printers);
    // The stand-in USB library's record of the calls the wizard made.
    std::string UsbLog() const;
    // Replaces every occurrence of from in a file of the copy (relative path).
    bool ReplaceInFile(const std::string& relative, const std::string& from, const std::string& to);

private:
    TempDir dir_{"qelvan-e2e"};
};

class EndToEndTest : public ::testing::Test {
protected:
    // Starts the wizard of the medium copy on the given Windows version and walks to the port page.
    ::testing::AssertionResult WalkToPortPage(const char* windowsVersion, const PrinterChoice& choice);
    // Presses Install and answers every message until the wizard ends: Yes to the renumbering
    // question when renumber is set, No to every other question. The messages shown, in order.
    std::vector<ShownMessage> InstallAndFinish(bool renumber = false);
    // The texts of shown messages.
    static std::vector<std::string> Texts(const std::vector<ShownMessage>& shown);

    // The driver's files are in the spooler's driver directory of the environment, as the medium's
    // folder holds them.
    ::testing::AssertionResult DriverFilesInstalled(const char* environment, const char* mediumFolder,
                                                    const std::vector<std::string>& names) const;
    // A port monitor's or the print processor's key with its version.
    static ::testing::AssertionResult HasVersion(const std::string& key, DWORD version);

    InstallationCleanup cleanup;
    MediumCopy medium;
    WizardWalk walk;
};
