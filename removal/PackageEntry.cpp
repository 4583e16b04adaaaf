#include "removal/PackageEntry.h"

#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "removal/FolderFiles.h"
#include "removal/FolderRemoval.h"
#include "removal/ProgramEntry.h"

namespace {
// Written and removed by the package's own registry table, never by a program of the medium.
const char kPackageMarkerKey[] = "SOFTWARE\\Qelvan\\PrinterDriversPackage";
const char kPackageMarkerValue[] = "ProductCode";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
}  // namespace

bool PackageInstalled() {
    RegistryKey key;
    char productCode[64] = {};
    return key.Open(HKEY_LOCAL_MACHINE, kPackageMarkerKey) &&
           key.QueryString(kPackageMarkerValue, productCode, sizeof productCode) && productCode[0] != '\0';
}

bool DropEntryForPackage(const RemovalReport& report) {
    char keyPath[MAX_PATH];
    if (!FormatText(keyPath, sizeof keyPath, "%s%s", kUninstallKey, kProgramEntryKey)) return false;
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath)) return true;
    std::vector<std::string> files;
    // An entry of an older registration keeps no record: the exact names of the medium's files stand for it.
    if (!ReadFolderRecord(key, files)) files = MediumFolderFiles();
    key.Close();
    char folder[MAX_PATH];
    if (ProgramEntryFolder(folder) && !RemoveRecordedFiles(folder, files, report)) return false;
    DWORD error = 0;
    bool removed = RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, keyPath, &error);
    report({RemovalKind::ProgramEntry, "", removed ? RemovalResult::Removed : RemovalResult::Failed, "",
            removed ? 0 : error});
    return removed;
}
