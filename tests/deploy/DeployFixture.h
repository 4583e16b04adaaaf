#pragma once
// The fixture of the QelvanDeploy.exe tests: a clean prefix and a copy of the built medium; the program
// is started from a Windows process, so that exit codes beyond 8 bits reach the test whole.
#include <windows.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

class DeployTest : public ::testing::Test {
protected:
    // Runs the medium copy's QelvanDeploy.exe on the Windows version given; output and exit code.
    std::string Deploy(const std::string& arguments, DWORD& exitCode, const char* windowsVersion = "winxp") {
        SetWindowsVersionFor("QelvanDeploy.exe", windowsVersion);
        std::string output = RunAndCapture("\"" + (medium / "QelvanDeploy.exe") + "\" " + arguments, exitCode,
                                           medium.Path(), 120000);
        SetWindowsVersionFor("QelvanDeploy.exe", "");
        return output;
    }
    // Runs it and expects the exit code; the output for further checks.
    std::string Expect(DWORD expected, const std::string& arguments, const char* windowsVersion = "winxp") {
        DWORD exitCode = 0;
        std::string output = Deploy(arguments, exitCode, windowsVersion);
        EXPECT_EQ(expected, exitCode) << arguments << "\n" << output;
        return output;
    }
    // A text of several lines is said line by line, each line ended with "\r\n": line ends are compared
    // without their "\r".
    static void SetVersion(const std::string& key, DWORD version) {
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, &handle));
        RegSetValueExA(handle, "DriverVersion", 0, REG_DWORD, reinterpret_cast<BYTE*>(&version),
                       sizeof version);
        RegCloseKey(handle);
    }
    static bool HasVersion(const std::string& key, DWORD version) {
        DWORD recorded = 0;
        return ReadDword(HKEY_LOCAL_MACHINE, key, "DriverVersion", recorded) && recorded == version;
    }
    static bool Says(std::string output, std::string text) {
        for (std::string* each : {&output, &text}) {
            for (size_t at = each->find('\r'); at != std::string::npos; at = each->find('\r', at))
                each->erase(at, 1);
        }
        return output.find(text) != std::string::npos;
    }

    InstallationCleanup cleanup;
    MediumCopy medium;
};
