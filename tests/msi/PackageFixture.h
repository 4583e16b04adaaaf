#pragma once
// The package as group policy and management suites run it: msiexec /qn started from a Windows process
// (its exit codes exceed the 8 bits Wine hands to Linux), the /l*v log, the list of installed programs.
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/msi/PackageDatabase.h"

inline const char kProfileOfOnePrinter[] =
    "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\nAdvanced=No\r\nDefault="
    "Yes\r\n";
inline const char kPackageEntryName[] = "Qelvan 打印机驱动程序";
inline const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class PackageTest : public DeployTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((TestDir() + "\\..\\QelvanPrinters.msi").c_str(), Package().c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((TestDir() + "\\QelvanPrinters-later.msi").c_str(),
                              (share / "later.msi").c_str(), FALSE));
    }
    void TearDown() override {
        for (const std::string& product : {kEarlierProduct, kLaterProduct}) Msiexec("/x " + product);
    }
    // The product codes follow from the version and the medium: read from the packages.
    const std::string kEarlierProduct =
        PackageProperty(TestDir() + "\\..\\QelvanPrinters.msi", "ProductCode");  // 2.0.0, the demo medium's
    const std::string kLaterProduct =
        PackageProperty(TestDir() + "\\QelvanPrinters-later.msi", "ProductCode");  // 99.0.1
    std::string Package() const { return share / "QelvanPrinters.msi"; }
    // msiexec /qn on the system given (the custom actions and QelvanDeploy see it too); the exit code
    // whole, the /l*v log's text.
    DWORD Msiexec(const std::string& arguments, std::string& log, const char* windowsVersion = "winxp") {
        return RunMsiexec(arguments, share.Path(), log, windowsVersion);
    }
    DWORD Msiexec(const std::string& arguments, const char* windowsVersion = "winxp") {
        std::string log;
        return Msiexec(arguments, log, windowsVersion);
    }
    static std::string EntryName(const std::string& product) {
        return ReadStringOrNone(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + product, "DisplayName");
    }
    static bool OwnEntry() { return KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey); }

    TempDir share{"qelvan-share"};
};
