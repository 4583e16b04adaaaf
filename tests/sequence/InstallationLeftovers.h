#pragma once
// The removal of everything an installation from the scratch medium can leave in the test prefix.

#include <windows.h>

#include <string>
#include <vector>

// Removes, when constructed and again when destroyed, every printer, driver, monitor, processor,
// file and registry value an installation from the scratch medium can leave, and restores the
// serial settings, the profile's ports and the default printer as they were.
class InstallationLeftovers {
public:
    InstallationLeftovers();
    ~InstallationLeftovers();
    InstallationLeftovers(const InstallationLeftovers&) = delete;
    InstallationLeftovers& operator=(const InstallationLeftovers&) = delete;
    // The maker's USB port record key; created for the test when the system has none.
    void CreatePrinterPortKey();
    // The port class entries of Windows 98/Me: 0000 and 0001 both serial.
    void CreateSerialPortClass();

private:
    void Remove();
    // Creates the key of HKEY_LOCAL_MACHINE and each missing key above it, to be deleted at the end.
    void CreateKeyChain(const std::string& path);
    std::string savedNtPort_;
    std::string savedProfilePort_;
    std::string savedDevice_;
    std::vector<std::string> createdKeys_;
};
