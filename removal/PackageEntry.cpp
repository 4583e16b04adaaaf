#include "removal/PackageEntry.h"

#include "common/RegistryKey.h"

namespace {
// Written and removed by the package's own registry table, never by a program of the medium.
const char kPackageMarkerKey[] = "SOFTWARE\\Qelvan\\PrinterDriversPackage";
const char kPackageMarkerValue[] = "ProductCode";
}  // namespace

bool PackageInstalled() {
    RegistryKey key;
    char productCode[64] = {};
    return key.Open(HKEY_LOCAL_MACHINE, kPackageMarkerKey) &&
           key.QueryString(kPackageMarkerValue, productCode, sizeof productCode) && productCode[0] != '\0';
}
