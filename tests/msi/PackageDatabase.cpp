#include "tests/msi/PackageDatabase.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include "tests/e2e/E2eSupport.h"

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

unsigned long RunMsiexec(const std::string& arguments, const std::string& folder, std::string& log,
                         const char* windowsVersion) {
    std::string logPath = folder + "\\package.log";
    DeleteFileA(logPath.c_str());
    for (const char* program : {"msiexec.exe", "QelvanDeploy.exe"})
        SetWindowsVersionFor(program, windowsVersion);
    DWORD exitCode = 0;
    RunAndCapture("msiexec.exe " + arguments + " /qn /l*v \"" + logPath + "\"", exitCode, folder, 240000);
    for (const char* program : {"msiexec.exe", "QelvanDeploy.exe"}) SetWindowsVersionFor(program, "");
    log = ReadTextFile(logPath);
    return exitCode;
}
