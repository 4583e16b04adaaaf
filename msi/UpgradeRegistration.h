#pragma once
// The registration of the package's other versions under its upgrade code. Wine's Installer deletes
// the upgrade code's whole registration when it removes one product of it (Windows takes out that
// product alone): an older version removed after a newer one was installed would leave the newer one
// unknown to the next upgrade and to the downgrade check. The older version's removal notes the other
// versions before and registers them again after; where the Installer kept them, nothing changes.

#include <string>
#include <vector>

// The Installer's packed form of a GUID ("{3B5C053A-7534-5C6D-9FEF-A03E9AC62BF0}" becomes
// "A350C5B34357D6C5F9FE0AE3A96CB20F"); empty for text that is no GUID.
std::string PackedGuid(const std::string& guid);

// Registers each product under the upgrade code where its registration is missing.
void RegisterUnderUpgradeCode(const std::string& upgradeCode, const std::vector<std::string>& products);
