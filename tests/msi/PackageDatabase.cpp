#include "tests/msi/PackageDatabase.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

std::string PackageProperty(const std::string& package, const char* name) {
    std::string value = "<none>";
    MSIHANDLE database = 0, view = 0, record = 0;
    if (MsiOpenDatabaseA(package.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS) return value;
    std::string query = std::string("SELECT `Value` FROM `Property` WHERE `Property` = '") + name + "'";
    if (MsiDatabaseOpenViewA(database, query.c_str(), &view) == ERROR_SUCCESS &&
        MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
        char text[256] = {};
        DWORD length = sizeof text;
        if (MsiRecordGetStringA(record, 1, text, &length) == ERROR_SUCCESS) value = text;
        MsiCloseHandle(record);
    }
    MsiCloseHandle(view);
    MsiCloseHandle(database);
    return value;
}
