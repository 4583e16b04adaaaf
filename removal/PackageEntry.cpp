#include "removal/PackageEntry.h"

#include "common/RegistryKey.h"

const char kPackageMarkerKey[] = "SOFTWARE\\Qelvan\\PrinterDriversPackage";

namespace {
const char kPackageMarkerValue[] = "ProductCode";
}  // namespace

bool PackageInstalled() {
    RegistryKey key;
    char productCode[64] = {};
    return key.Open(HKEY_LOCAL_MACHINE, kPackageMarkerKey) &&
           key.QueryString(kPackageMarkerValue, productCode, sizeof productCode) && productCode[0] != '\0';
}
