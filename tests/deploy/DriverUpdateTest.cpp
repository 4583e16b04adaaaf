// A newer medium reaches the driver of a kept printer: a file of the registered driver or of its
// plug-ins that is older than the medium's (by version resource where both have one, else by content and
// time of writing) is replaced by adding the driver again, the printer keeps it, and list shows the
// driver against the medium. An older medium, an unreadable file or a medium without the files leaves
// the driver as it is; one it cannot read fails the run.
#include <string>

#include "common/FileVersion.h"
#include "common/RegistryKey.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/support/RegistryState.h"
#include "tests/support/SpoolerState.h"

namespace {
const char kDriverLine[] = "驱动程序 Qelvan QR-58 GDI：";
const char kDriverMediaKey[] = "SOFTWARE\\Qelvan\\Drivers";

class DriverUpdateTest : public DeployTest {
protected:
    // The data file as the spooler holds it, and as the medium holds it.
    std::string Installed() const { return SpoolerDriverDirectory() + "\\3\\QR58.GPD"; }
    std::string OnMedium(const char* name = "QR58.GPD") const {
        return medium / ("winnt\\" + std::string(name));
    }
    // Gives a file of the medium a time of writing: now, or a day ago.
    static bool Written(const std::string& path, bool now) {
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        FILETIME time;
        GetSystemTimeAsFileTime(&time);
        ULARGE_INTEGER ticks = {{time.dwLowDateTime, time.dwHighDateTime}};
        if (!now) ticks.QuadPart -= 864000000000ULL;
        time = {ticks.LowPart, ticks.HighPart};
        bool set = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
        CloseHandle(file);
        return set;
    }
    // Records the version of the medium that added the driver, as an earlier run would have.
    static bool RecordMedium(const char* version) {
        RegistryKey key;
        return RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kDriverMediaKey) &&
               key.Open(HKEY_LOCAL_MACHINE, kDriverMediaKey) && key.SetString("Qelvan QR-58 GDI", version);
    }
    // Gives the installed data file the medium's time of writing and the seconds after it.
    bool InstalledWrittenAfterMedium(unsigned seconds) const {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (!GetFileAttributesExA(OnMedium().c_str(), GetFileExInfoStandard, &data)) return false;
        HANDLE file = CreateFileA(Installed().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        ULARGE_INTEGER ticks = {{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
        ticks.QuadPart += seconds * 10000000ULL;
        FILETIME time = {ticks.LowPart, ticks.HighPart};
        bool set = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
        CloseHandle(file);
        return set;
    }
    // Puts one of the stand-in files with a version resource on the medium as the data file.
    bool MediumFileOfVersion(const char* version) const {
        return CopyFileA((TestDir() + "\\bulkusb_" + version + ".sys").c_str(), OnMedium().c_str(), FALSE) &&
               Written(OnMedium(), true);
    }
};

TEST_F(DriverUpdateTest, ANewerMediumReachesTheDriverOfAKeptPrinter) {
    Expect(0, "install /model:QR-58");
    EXPECT_TRUE(Says(Expect(0, "list"), std::string(kDriverLine) + "与安装介质上的相同（最新）"));
    std::string original = ReadTextFile(OnMedium());

    // The medium's data file changed (no version resource): the driver is added again.
    ASSERT_TRUE(WriteTextFile(OnMedium(), original + "*% a newer medium\r\n"));
    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, std::string(kDriverLine) + "文件 QR58.GPD 与安装介质上的不同（过旧）")) << list;
    std::string updated = Expect(0, "install /model:QR-58");
    EXPECT_TRUE(
        Says(updated, "已更新：驱动程序 Qelvan QR-58 GDI（原先文件 QR58.GPD 与安装介质上的不同（过旧））"))
        << updated;
    EXPECT_EQ(ReadTextFile(OnMedium()), ReadTextFile(Installed()));
    EXPECT_EQ("Qelvan QR-58 GDI", ReadPrinter("QR-58(U) 1").driver);
    // A second run changes nothing; an older medium, written before, brings nothing back.
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "second run";
    ASSERT_TRUE(WriteTextFile(OnMedium(), original) && Written(OnMedium(), false));
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "older medium";
    EXPECT_TRUE(
        Says(Expect(0, "list"), std::string(kDriverLine) + "文件 QR58.GPD 与安装介质上的不同（较新）"));

    // Files with version resources are compared by version: an older medium leaves a newer driver.
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_5"));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "content to version";
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_3"));
    list = Expect(0, "list");
    EXPECT_TRUE(
        Says(list, std::string(kDriverLine) + "文件 QR58.GPD 已安装版本 1.0.0.5，介质版本 1.0.0.3（较新）"))
        << list;
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "older version";
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_12"));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "newer version";
    EXPECT_TRUE(Says(Expect(0, "list"), std::string(kDriverLine) + "与安装介质上的相同（最新）"));
}

TEST_F(DriverUpdateTest, PlugInsAreComparedAndWhatCannotBeComparedIsLeftAlone) {
    Expect(0, "install /model:QR-58");
    // A plug-in the registration does not list, changed on the medium.
    ASSERT_TRUE(WriteTextFile(OnMedium("QVOEMUNI.DLL"), "a newer plug-in") &&
                Written(OnMedium("QVOEMUNI.DLL"), true));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "plug-in";
    EXPECT_EQ("a newer plug-in", ReadTextFile(SpoolerDriverDirectory() + "\\QVOEMUNI.DLL"));

    // A file held open by another program cannot be compared: it may be older, so the run fails,
    // naming the file and the platform's error, and the driver is left as it is.
    ASSERT_TRUE(WriteTextFile(OnMedium(), ReadTextFile(OnMedium()) + "*% newer\r\n"));
    HANDLE held = CreateFileA(Installed().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string unread = Expect(1603, "install /model:QR-58");
    CloseHandle(held);
    EXPECT_TRUE(Says(unread, "未比较驱动程序 Qelvan QR-58 GDI：无法读取文件 " + Installed() + "  er = 32"))
        << unread;

    // Another maker's driver names the same data file: an update would change it too.
    DRIVER_INFO_3A other = {};
    other.cVersion = 3;
    other.pName = const_cast<char*>("Zeta QR58 Label");
    other.pDriverPath = const_cast<char*>("UNIDRV.DLL");
    other.pDataFile = const_cast<char*>("QR58.GPD");
    other.pConfigFile = const_cast<char*>("UNIDRVUI.DLL");
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&other)));
    std::string shared = Expect(1603, "install /model:QR-58");
    RemovePrinterDriver("Zeta QR58 Label", nullptr);
    EXPECT_TRUE(Says(shared, "未更新驱动程序 Qelvan QR-58 GDI：文件 " + Installed() +
                                 " 也属于驱动程序 Zeta QR58 Label，更新会改变它。"))
        << shared;

    // Without the system's files on the medium (the program folder's copy), nothing is compared.
    ASSERT_TRUE(MoveFileA((medium / "winnt").c_str(), (medium / "winnt-away").c_str()));
    std::string list = Expect(0, "list");
    MoveFileA((medium / "winnt-away").c_str(), (medium / "winnt").c_str());
    EXPECT_TRUE(Says(list, std::string(kDriverLine) + "安装介质上没有它的文件，无法比较")) << list;
}

// Where the files carry no versions, a medium unpacked today (its files written now) tells nothing by its
// times: the version of the medium that added the driver decides, and an older medium never downgrades.
// An update is done only when every file then matches the medium's; a mixed driver is refused.
TEST_F(DriverUpdateTest, AnOlderMediumNeverDowngradesAndAnUpdateLeftUndoneFails) {
    Expect(0, "install /model:QR-58");
    std::string running = ReadFileVersion(medium / "QelvanDeploy.exe").text;
    EXPECT_EQ(running, ReadStringOrNone(HKEY_LOCAL_MACHINE, kDriverMediaKey, "Qelvan QR-58 GDI"));
    std::string original = ReadTextFile(Installed());
    ASSERT_TRUE(RecordMedium("9.0.0.0"));
    ASSERT_TRUE(WriteTextFile(OnMedium(), original + "*% an older medium\r\n") && Written(OnMedium(), true));
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "older medium";
    EXPECT_EQ(original, ReadTextFile(Installed()));
    ASSERT_TRUE(RecordMedium("1.0.0.0"));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "newer medium";
    EXPECT_EQ(running, ReadStringOrNone(HKEY_LOCAL_MACHINE, kDriverMediaKey, "Qelvan QR-58 GDI"));

    // Readable but not replaceable while another program holds it: the update leaves it older.
    original = ReadTextFile(Installed());
    ASSERT_TRUE(WriteTextFile(OnMedium(), original + "*% newer\r\n") && Written(OnMedium(), true));
    HANDLE held =
        CreateFileA(Installed().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string kept = Expect(1603, "install /model:QR-58");
    CloseHandle(held);
    EXPECT_TRUE(
        Says(kept, "未能更新驱动程序 Qelvan QR-58 GDI：添加后仍是文件 QR58.GPD 与安装介质上的不同（过旧）"))
        << kept;
    // The plug-in on the till is newer than the medium's (written a day before), the data file older.
    ASSERT_TRUE(WriteTextFile(OnMedium("QVOEMUNI.DLL"), "older") && Written(OnMedium("QVOEMUNI.DLL"), false));
    std::string mixed = Expect(1603, "install /model:QR-58");
    EXPECT_TRUE(Says(mixed,
                     "未更新驱动程序 Qelvan QR-58 GDI：文件 QR58.GPD 比安装介质上的旧，文件 QVOEMUNI.DLL "
                     "却比安装介质上的新"))
        << mixed;
}

// Files within two seconds of each other have no order (a FAT volume keeps times to two seconds), and a
// record of the adding medium edited into more than a version is no record: the till's file counts as
// older and the medium's replaces it. Three seconds later, the till's file is the newer.
TEST_F(DriverUpdateTest, TimesWithinTwoSecondsAndAnEditedRecordTellNothing) {
    Expect(0, "install /model:QR-58");
    const std::string older = std::string(kDriverLine) + "文件 QR58.GPD 与安装介质上的不同（过旧）";
    ASSERT_TRUE(WriteTextFile(OnMedium(), ReadTextFile(Installed()) + "*% another medium\r\n") &&
                Written(OnMedium(), false) && InstalledWrittenAfterMedium(1));
    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, older)) << list;
    ASSERT_TRUE(RecordMedium("9.0.0.0 (edited)"));
    list = Expect(0, "list");
    EXPECT_TRUE(Says(list, older)) << list;
    ASSERT_TRUE(InstalledWrittenAfterMedium(3));
    list = Expect(0, "list");
    EXPECT_TRUE(Says(list, std::string(kDriverLine) + "文件 QR58.GPD 与安装介质上的不同（较新）")) << list;
}
}  // namespace
