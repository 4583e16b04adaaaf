#pragma once
// The removal of everything an installation from the demo medium can leave in the prefix, so each
// end-to-end run, demo and benchmark starts from a clean prefix.

#include <string>
#include <vector>

// Removes, when constructed and again when destroyed, every printer, driver, monitor, processor, file
// and registry record an installation from the demo medium can leave, and puts the serial settings, the
// profile's ports and the default printer back as they were.
class InstallationCleanup {
public:
    InstallationCleanup();
    ~InstallationCleanup();
    InstallationCleanup(const InstallationCleanup&) = delete;
    InstallationCleanup& operator=(const InstallationCleanup&) = delete;
    // Removes what an installation left, leaving the saved settings alone.
    static void RemoveInstallations();

private:
    struct SavedValue {
        std::string name;
        bool present;
        std::string data;
    };
    std::vector<SavedValue> ntPorts_;
    std::vector<SavedValue> profilePorts_;
    SavedValue device_;
    bool madeProcessorDirectory_ = false;
};
