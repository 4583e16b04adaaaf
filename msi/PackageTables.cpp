// Build-time program, run under Wine by scripts/package: writes what wixl cannot into a package, through
// the platform's own msi.dll as Windows' tools do. wixl stops at a non-ASCII string in a table, so the
// product's Chinese name (the entry's name of the string table) is written here, with the database's
// code page set to 936, the size of the medium it carries, the upgrade of an installed product of the
// same version, the place of the older version's removal, the rollback and commit actions' types and the
// secure properties, which wixl does not write.
//   PackageTables version FILE          prints FILE's version resource, "a.b.c.d"
//   PackageTables tables PACKAGE MEDIUM  writes the name, size and upgrade row into PACKAGE
#include <windows.h>
#include <msi.h>
#include <msidefs.h>
#include <msiquery.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/ResourceText.h"
#include "msi/PackageTextIds.h"
#include "removal/RemovalTextIds.h"

namespace {
bool PrintVersion(const char* path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr)
        return false;
    printf("%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return true;
}

// The medium's size in KiB, every file under folder counted.
unsigned long long FolderBytes(const std::string& folder) {
    unsigned long long bytes = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            bytes += FolderBytes(folder + "\\" + name);
        else
            bytes += (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return bytes;
}

std::wstring Wide(const std::string& text, UINT codePage) {
    int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

// The strings are stored in code page 936 from here on: the name's characters have a place in it.
bool SetCodePage(MSIHANDLE database) {
    char folder[MAX_PATH] = {};
    if (GetTempPathA(sizeof folder, folder) == 0) return false;
    std::string path = std::string(folder) + "_ForceCodepage.idt";
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fputs("\r\n\r\n936\t_ForceCodepage\r\n", file);
    fclose(file);
    UINT result = MsiDatabaseImportA(database, folder, "_ForceCodepage.idt");
    DeleteFileA(path.c_str());
    return result == ERROR_SUCCESS;
}

bool SetProperty(MSIHANDLE database, const wchar_t* name, const std::wstring& value) {
    MSIHANDLE view = 0;
    UINT result = MsiDatabaseOpenViewW(database, L"SELECT `Property`, `Value` FROM `Property`", &view);
    if (result != ERROR_SUCCESS) return false;
    result = MsiViewExecute(view, 0);
    MSIHANDLE record = MsiCreateRecord(2);
    MsiRecordSetStringW(record, 1, name);
    MsiRecordSetStringW(record, 2, value.c_str());
    if (result == ERROR_SUCCESS) result = MsiViewModify(view, MSIMODIFY_ASSIGN, record);
    MsiCloseHandle(record);
    MsiViewClose(view);
    MsiCloseHandle(view);
    return result == ERROR_SUCCESS;
}

// Runs a query that changes rows, with its parameters in record (which it closes).
bool Update(MSIHANDLE database, const wchar_t* query, MSIHANDLE record) {
    MSIHANDLE view = 0;
    UINT result = MsiDatabaseOpenViewW(database, query, &view);
    if (result == ERROR_SUCCESS) result = MsiViewExecute(view, record);
    MsiCloseHandle(record);
    MsiViewClose(view);
    MsiCloseHandle(view);
    return result == ERROR_SUCCESS;
}

// One column of the rows the query's WHERE names, set to value (the query's one parameter).
bool SetColumn(MSIHANDLE database, const wchar_t* query, const std::wstring& value) {
    MSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 1, value.c_str());
    return Update(database, query, record);
}

// The major upgrade takes in an installed product of the same version too (what WiX's
// AllowSameVersionUpgrades writes and wixl ignores): a changed medium packaged under an unchanged
// version is another product code, which then replaces the installed one instead of joining it. The
// attributes are part of the row's key, so the row is taken out and put back with them.
bool UpgradeSameVersion(MSIHANDLE database) {
    MSIHANDLE view = 0, row = 0;
    UINT result = MsiDatabaseOpenViewW(database,
                                       L"SELECT `UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, "
                                       L"`Attributes`, `Remove`, `ActionProperty` FROM `Upgrade` "
                                       L"WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'",
                                       &view);
    if (result == ERROR_SUCCESS) result = MsiViewExecute(view, 0);
    if (result == ERROR_SUCCESS) result = MsiViewFetch(view, &row);
    MsiViewClose(view);
    MsiCloseHandle(view);
    if (result != ERROR_SUCCESS) return false;
    MsiRecordSetInteger(row, 5, MsiRecordGetInteger(row, 5) | msidbUpgradeAttributesVersionMaxInclusive);
    return Update(database, L"DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'",
                  MsiCreateRecord(0)) &&
           Update(
               database,
               L"INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, `Attributes`, "
               L"`Remove`, `ActionProperty`) VALUES (?, ?, ?, ?, ?, ?, ?)",
               row);
}

// A query without parameters that changes rows.
bool Execute(MSIHANDLE database, const wchar_t* query) {
    return Update(database, query, MsiCreateRecord(0));
}

// An older version is removed after the newer one is installed (after InstallFinalize, 6600): a newer
// package that fails is rolled back whole and never touches the older one, whose removal then finds
// the newer installed and leaves the printers to it. wixl places the removal after InstallValidate.
bool RemoveOlderAfterInstalling(MSIHANDLE database) {
    return Execute(database,
                   L"UPDATE `InstallExecuteSequence` SET `Sequence` = 6610 "
                   L"WHERE `Action` = 'RemoveExistingProducts'");
}

// wixl writes a rollback or commit action as an immediate one: their types are written here. A DLL
// action (1) whose answer is ignored (64), in the script (1024) and in the system's context (2048), run
// only when the installation is rolled back (256) or once it has succeeded (512).
bool ScheduleRollbackAndCommit(MSIHANDLE database) {
    return Execute(database, L"UPDATE `CustomAction` SET `Type` = 3393 WHERE `Action` = 'QelvanRollback'") &&
           Execute(database, L"UPDATE `CustomAction` SET `Type` = 3649 WHERE `Action` = 'QelvanCommit'");
}

// The properties an administrator gives on the command line reach the deferred phase of a managed
// installation only when listed as secure; the upgrade's own properties stay listed.
bool ListSecureProperties(MSIHANDLE database) {
    return SetProperty(
        database, L"SecureCustomProperties",
        L"WIX_UPGRADE_DETECTED;WIX_DOWNGRADE_DETECTED;PROFILE;EXACT;RENUMBER;TESTPAGE;QELVANLOG");
}

bool WriteTables(const char* package, const char* medium) {
    MSIHANDLE database = 0;
    if (MsiOpenDatabaseA(package, MSIDBOPEN_TRANSACT, &database) != ERROR_SUCCESS) return false;
    std::wstring name = Wide(ResourceText(IDS_PROGRAM_ENTRY_NAME), 936);
    unsigned long long kib = (FolderBytes(medium) + 1023) / 1024;
    bool written = SetCodePage(database) && SetProperty(database, L"ProductName", name) &&
                   SetProperty(database, L"ARPSIZE", std::to_wstring(kib)) &&
                   SetColumn(database,
                             L"UPDATE `LaunchCondition` SET `Description` = ? "
                             L"WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'",
                             Wide(ResourceText(IDS_PACKAGE_NEWER_INSTALLED), 936)) &&
                   UpgradeSameVersion(database) && RemoveOlderAfterInstalling(database) &&
                   ScheduleRollbackAndCommit(database) && ListSecureProperties(database) &&
                   MsiDatabaseCommit(database) == ERROR_SUCCESS;
    MsiCloseHandle(database);
    return written;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "version") == 0) return PrintVersion(argv[2]) ? 0 : 1;
    if (argc == 4 && strcmp(argv[1], "tables") == 0) return WriteTables(argv[2], argv[3]) ? 0 : 1;
    fprintf(stderr, "usage: PackageTables version FILE | tables PACKAGE MEDIUM\n");
    return 2;
}
