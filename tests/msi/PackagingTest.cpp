// scripts/package as the build machine runs it, started here while the test run's own persistent
// wineserver serves the prefix, and what two packages of one version do under Wine's msiexec /qn: a
// changed medium under an unchanged version replaces the installed one.
#include <windows.h>
#include <msi.h>

#include <cstdlib>
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/msi/PackageDatabase.h"
#include "tests/support/UnixLink.h"

namespace {
const char kPackageEntryName[] = "Qelvan 打印机驱动程序";
const char kUpgradeCode[] = "{6A1F3C52-8E0B-4D7A-9B41-2F6C0D93E5A8}";  // msi/MediumPackage.pl's
const char kProfileOfOnePrinter[] =
    "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\nAdvanced=No\r\n";
const char kInstalledLicence[] = "C:\\Program Files\\QelvanPrinters\\License.txt";
// scripts/package takes seconds; the bound ends one that waits for a wineserver not its own.
const int kPackagingBoundSeconds = 120;

std::string Environment(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

// How many lines of Wine's list of installed programs name the package.
int EntriesOfThePackage() {
    DWORD exitCode = 0;
    std::string list = RunAndCapture("uninstaller.exe --list", exitCode, TestDir());
    int entries = 0;
    for (size_t at = list.find(kPackageEntryName); at != std::string::npos;
         at = list.find(kPackageEntryName, at + 1))
        ++entries;
    return entries;
}

class PackagingTest : public DeployTest {
protected:
    // A package of the upgrade code left installed by an earlier run would turn the first installation
    // into a downgrade: whatever version is installed is removed first.
    void SetUp() override {
        char product[39] = {};
        while (MsiEnumRelatedProductsA(kUpgradeCode, 0, 0, product) == ERROR_SUCCESS) {
            std::string removed = product;
            Msiexec("/x " + removed);
            ASSERT_NE(INSTALLSTATE_DEFAULT, MsiQueryProductStateA(removed.c_str())) << removed << " stays";
        }
    }
    void TearDown() override {
        for (const std::string& package : {Changed(), First()}) Msiexec("/x \"" + package + "\"");
    }
    std::string First() const { return share / "QelvanPrinters.msi"; }
    std::string Changed() const { return share / "QelvanPrinters-changed.msi"; }

    // Runs scripts/package MEDIUM OUT (Windows paths) as a Unix program under `timeout`, as the build
    // does; its exit code (124: the bound ended it), or -1 when it never reported one. output: what
    // it printed.
    int Package(const std::string& mediumPath, const std::string& out, std::string& output) {
        std::string folder = UnixPathOf(share.Path()), build = Environment("QELVAN_TEST_DIR") + "/..";
        std::string script =
            "PATH=/usr/local/bin:/usr/bin:/bin; export PATH\n"
            "QELVAN_BUILD_DIR='" +
            build +
            "'; export QELVAN_BUILD_DIR\n"
            "timeout " +
            std::to_string(kPackagingBoundSeconds) + " '" + Environment("QELVAN_SOURCE_DIR") +
            "/scripts/package' '" + UnixPathOf(mediumPath) + "' '" + UnixPathOf(out) + "' >'" + folder +
            "/package.out' 2>&1 </dev/null\n"
            "echo $? >'" +
            folder +
            "/package.part'\n"
            "mv '" +
            folder + "/package.part' '" + folder + "/package.status'\n";
        DeleteFileA((share / "package.status").c_str());
        if (!WriteTextFile(share / "package.sh", script)) return -1;
        std::string command = "/bin/sh \"" + folder + "/package.sh\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return -1;
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        // Wine reports no exit code of a Unix program: the script leaves it in a file.
        for (int waited = 0;
             waited < (kPackagingBoundSeconds + 30) * 10 && !FileExists(share / "package.status"); ++waited)
            Sleep(100);
        output = ReadTextFile(share / "package.out");
        return FileExists(share / "package.status") ? atoi(ReadTextFile(share / "package.status").c_str())
                                                    : -1;
    }

    // msiexec /qn on Windows XP, started from a Windows process: the exit code whole.
    DWORD Msiexec(const std::string& arguments, std::string& log) {
        return RunMsiexec(arguments, share.Path(), log);
    }
    DWORD Msiexec(const std::string& arguments) {
        std::string log;
        return Msiexec(arguments, log);
    }

    TempDir share{"qelvan-share"};
};

TEST_F(PackagingTest, ReturnsWhileAPersistentWineserverServesThePrefixAndLeavesItServing) {
    // This test runs on the test run's persistent wineserver, which outlives any packaging.
    std::string output;
    ASSERT_EQ(0, Package(medium.Path(), First(), output)) << output;
    EXPECT_TRUE(FileExists(First())) << output;
    // The wineserver still serves: Wine programs start and end as before, and packaging again works.
    DWORD exitCode = 0;
    RunAndCapture("cmd.exe /c exit 7", exitCode, share.Path());
    EXPECT_EQ(7u, exitCode);
    ASSERT_EQ(0, Package(medium.Path(), share / "again.msi", output)) << output;
    // The same medium under the same version is the same product (a repair of it finds it).
    EXPECT_EQ(PackageProperty(First(), "ProductCode"), PackageProperty(share / "again.msi", "ProductCode"));
}

TEST_F(PackagingTest, AChangedMediumUnderAnUnchangedVersionReplacesTheInstalledOne) {
    std::string output;
    ASSERT_EQ(0, Package(medium.Path(), First(), output)) << output;
    std::string licence = ReadTextFile(medium / "License.txt") + "\r\n第二版。\r\n";
    ASSERT_TRUE(WriteTextFile(medium / "License.txt", licence));
    ASSERT_EQ(0, Package(medium.Path(), Changed(), output)) << output;
    EXPECT_EQ(PackageProperty(First(), "ProductVersion"), PackageProperty(Changed(), "ProductVersion"));
    std::string firstProduct = PackageProperty(First(), "ProductCode");
    std::string changedProduct = PackageProperty(Changed(), "ProductCode");

    ASSERT_TRUE(WriteTextFile(share / "QelvanProfile.ini", kProfileOfOnePrinter));
    std::string log;
    ASSERT_EQ(0u, Msiexec("/i \"" + First() + "\"", log)) << log;
    EXPECT_EQ(0u, Msiexec("/i \"" + Changed() + "\"", log)) << log;
    EXPECT_TRUE(ReadTextFile(kInstalledLicence) == licence) << "the program folder keeps the first licence";
    EXPECT_EQ(1, EntriesOfThePackage());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE,
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + changedProduct))
        << changedProduct;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + firstProduct))
        << firstProduct;
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
}
}  // namespace
