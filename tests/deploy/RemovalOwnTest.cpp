// QelvanDeploy's removal on a till that also holds what is not the medium's: another program's file and
// folder in the program folder (one of them open), a USB port record of a model the medium does not
// know. Removal takes only what the registration recorded; registration replaces every file writable;
// an upgrade before the restart keeps the new installation.
#include <cstdio>
#include <map>
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/PendingRenames.h"
#include "tests/support/UnixLink.h"

namespace {
const char kForeignUsbPort[] = "USB_ZX-90_1";

std::string ProgramFolder() {
    std::string programFiles;
    ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               programFiles);
    return programFiles + "\\Qelvan";
}

void SetUsbRecord(const char* key, const char* port, DWORD number) {
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &handle));
    RegSetValueExA(handle, port, 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
    RegCloseKey(handle);
}

bool HasUsbRecord(const char* port) {
    DWORD number = 0;
    return ReadDword(HKEY_LOCAL_MACHINE, kPortNameKey, port, number);
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

bool ReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A record's item naming path with the size and time the file has now.
std::string RecordItem(const std::string& name, const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    char item[64];
    snprintf(item, sizeof item, "|%08lx%08lx|%08lx%08lx", data.nFileSizeHigh, data.nFileSizeLow,
             data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return name + item;
}

void AddToRecord(const std::vector<std::string>& items) {
    std::string record = ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "InstalledFiles");
    for (const std::string& item : items) record += ";" + item;
    HKEY entry = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallEntryKey, 0, KEY_SET_VALUE, &entry));
    RegSetValueExA(entry, "InstalledFiles", 0, REG_SZ, reinterpret_cast<const BYTE*>(record.c_str()),
                   static_cast<DWORD>(record.size() + 1));
    RegCloseKey(entry);
}

class RemovalOwnTest : public DeployTest {
protected:
    RemovalOwnTest() : folder(ProgramFolder()) {
        // Another program of the maker, in the folder of the maker's name, with its database open.
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\LabelStudio").c_str(), nullptr);
        WriteTextFile(folder + "\\LabelStudio\\labels.db", "labels");
        WriteTextFile(folder + "\\notes.txt", "notes");
        database = CreateFileA((folder + "\\LabelStudio\\labels.db").c_str(), GENERIC_READ, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        SetUsbRecord(kPortNameKey, kForeignUsbPort, 5);
        SetUsbRecord(kPrinterPortKey, kForeignUsbPort, 0);
    }
    ~RemovalOwnTest() override {
        if (database != INVALID_HANDLE_VALUE) CloseHandle(database);
        RemoveTree(folder);
    }
    bool ForeignThingsStay() const {
        return FileExists(folder + "\\LabelStudio\\labels.db") && FileExists(folder + "\\notes.txt") &&
               HasUsbRecord(kForeignUsbPort);
    }

    std::string folder;
    HANDLE database = INVALID_HANDLE_VALUE;
};
}  // namespace

TEST_F(RemovalOwnTest, RemovalTakesOnlyWhatTheRegistrationRecorded) {
    // Never installed here: nothing of the folder, the entry or the records is touched or said.
    std::string never = Expect(0, "remove /all /driver /components");
    EXPECT_FALSE(Says(never, "程序列表")) << never;
    EXPECT_FALSE(Says(never, "安装目录")) << never;
    EXPECT_TRUE(ForeignThingsStay());

    Expect(0, "install /model:QR-58");
    ASSERT_TRUE(FileExists(folder + "\\DRVCONFIG\\setup.ini"));
    SetUsbRecord(kPortNameKey, "USB_QR-58_3", 3);  // left by a failed installation of the medium's model
    // Four names of another's in the folder: three are said, and that there are more.
    WriteTextFile(folder + "\\price list.txt", "prices");
    WriteTextFile(folder + "\\till.cfg", "till");

    std::string removed = Expect(0, "remove /all /driver /components");
    EXPECT_TRUE(Says(removed, "已删除：安装目录中的文件 " + folder + "\\Drovix.exe\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "已删除：安装目录 " + folder + "\\DRVCONFIG\r\n")) << removed;
    std::string others = "保留：安装目录 " + folder + "（其中还有不是本程序安装的 ";
    size_t start = removed.find(others);
    ASSERT_NE(std::string::npos, start) << removed;
    std::string names =
        removed.substr(start + others.size(), removed.find('\n', start) - start - others.size());
    if (!names.empty() && names.back() == '\r') names.pop_back();
    const std::string more = " 等）";
    EXPECT_EQ(2u, Occurrences(names, "、")) << names;
    EXPECT_EQ(names.size() - more.size(), names.rfind(more)) << names;  // " 等）" ends the line
    EXPECT_TRUE(Says(removed, "已删除：程序列表中的项目\r\n")) << removed;
    EXPECT_FALSE(FileExists(folder + "\\QelvanDeploy.exe"));
    EXPECT_FALSE(FileExists(folder + "\\DRVCONFIG\\setup.ini"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    EXPECT_TRUE(ForeignThingsStay());
    EXPECT_FALSE(HasUsbRecord("USB_QR-58_3")) << removed;

    // Gone already: a second removal says nothing of the entry or the folder.
    std::string again = Expect(0, "remove /all /driver /components");
    EXPECT_FALSE(Says(again, "安装目录")) << again;
    EXPECT_TRUE(ForeignThingsStay());
}

TEST_F(RemovalOwnTest, RegistrationReplacesEveryFileAndLeavesThemWritable) {
    // A medium copied from a CD: its files are read-only.
    std::string setup = medium / "DRVCONFIG\\setup.ini";
    ASSERT_TRUE(SetFileAttributesA(setup.c_str(), FILE_ATTRIBUTE_READONLY));
    Expect(0, "install /model:QT-200");
    SetFileAttributesA(setup.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(FileExists(folder + "\\DRVCONFIG\\setup_Lable.ini"));
    EXPECT_FALSE(ReadOnly(folder + "\\DRVCONFIG\\setup.ini"));

    // A newer medium without one of the category files: the registration over the older folder
    // replaces what the medium has and takes the file it no longer has.
    std::string ticket = medium / "DRVCONFIG\\setup_Ticket.ini";
    ASSERT_TRUE(WriteTextFile(ticket, ReadTextFile(ticket) + "\r\n; newer medium\r\n"));
    RemoveFile(medium / "DRVCONFIG\\setup_Lable.ini");
    Expect(0, "install /model:QT-200");
    EXPECT_EQ(ReadTextFile(medium / "DRVCONFIG\\setup_Ticket.ini"),
              ReadTextFile(folder + "\\DRVCONFIG\\setup_Ticket.ini"));
    EXPECT_FALSE(FileExists(folder + "\\DRVCONFIG\\setup_Lable.ini"));
    EXPECT_TRUE(ForeignThingsStay());
    // The record names each file once, as the second registration wrote it.
    std::string record = ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "InstalledFiles");
    for (const char* name : {"Drovix.exe|", "QelvanDeploy.exe|", "DRVCONFIG\\setup_Ticket.ini|"})
        EXPECT_EQ(1u, Occurrences(record, name)) << name << "\n" << record;
    EXPECT_NE(std::string::npos, record.find(RecordItem("DRVCONFIG\\setup_Ticket.ini",
                                                        folder + "\\DRVCONFIG\\setup_Ticket.ini")))
        << record;
}

TEST_F(RemovalOwnTest, UpgradeBeforeTheRestartKeepsTheNewInstallation) {
    Expect(0, "install /model:QT-200");
    // Windows 98/Me's pending deletion of the folder's program, beside another program's.
    std::string wininit = WindowsDirectoryPath() + "\\WININIT.INI";
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameA((folder + "\\QelvanDeploy.exe").c_str(), shortPath, sizeof shortPath));
    ASSERT_TRUE(
        WriteTextFile(wininit, std::string("[rename]\r\nNUL=C:\\OTHER.TMP\r\nNUL=") + shortPath + "\r\n"));

    // The quiet removal runs from the folder: its own program is in use.
    DWORD exitCode = 99;
    std::string quiet = ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "QuietUninstallString");
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    std::string output = RunAndCapture(quiet, exitCode, medium.Path(), 120000);
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_TRUE(Says(output, "重新启动后删除：安装目录中的文件 " + folder + "\\QelvanDeploy.exe")) << output;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));

    // The newer medium installs before the restart; the restart leaves it whole.
    Expect(0, "install /model:QT-200");
    std::string pending = ReadTextFile(wininit);
    RemoveFile(wininit);
    EXPECT_TRUE(Says(pending, "NUL=C:\\OTHER.TMP\r\n")) << pending;
    EXPECT_FALSE(Says(pending, shortPath)) << pending;
    RunAndCapture("wineboot.exe -r", exitCode, medium.Path(), 120000);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    EXPECT_TRUE(FileExists(folder + "\\QelvanDeploy.exe"));
    EXPECT_TRUE(FileExists(folder + "\\Drovix.exe"));
    EXPECT_TRUE(FileExists(folder + "\\DRVCONFIG\\setup.ini"));
    EXPECT_TRUE(ReadPrinter("QT-200(P)").found);
    EXPECT_TRUE(ForeignThingsStay());
}

// A link put in the place of a program the registration wrote, to a file outside: the next registration
// neither deletes through it nor writes through it, and says so.
TEST_F(RemovalOwnTest, ALinkInTheProgramsPlaceIsLeftAsItIs) {
    TempDir outside("qelvan-outside");
    ASSERT_TRUE(WriteTextFile(outside / "victim.exe", "another program"));
    Expect(0, "install /model:QR-58");
    std::string program = folder + "\\Drovix.exe";
    UnixLinksRemoved links({program});
    RemoveFile(program);
    ASSERT_TRUE(MakeUnixLink(outside / "victim.exe", program));
    std::string again = Expect(0, "install /model:QR-58");
    EXPECT_EQ("another program", ReadTextFile(outside / "victim.exe")) << again;
    EXPECT_TRUE(IsUnixLink(program)) << again;
    EXPECT_TRUE(Says(again, "文件 Drovix.exe 安装后已被更改或替换，保留原样")) << again;
}

// A record edited against the till and links planted in the folder: registration and removal take
// nothing that is not the registration's own, follow no link, hang on no loop and say what they keep.
TEST_F(RemovalOwnTest, AHostileFolderAndRecordLoseNothing) {
    TempDir outside("qelvan-outside");
    ASSERT_TRUE(WriteTextFile(outside / "victim.txt", "outside"));
    ASSERT_TRUE(WriteTextFile(outside / "cfg\\setup.ini", "another program's settings"));
    Expect(0, "install /model:QR-58");
    // The links go whatever becomes of the test: one left behind would lead the next test's walks.
    UnixLinksRemoved links(
        {folder + "\\Shared", folder + "\\back", folder + "\\LabelStudio\\up", folder + "\\DRVCONFIG"});
    ASSERT_TRUE(MakeUnixLink(outside.Path(), folder + "\\Shared"));
    ASSERT_TRUE(MakeUnixLink(folder, folder + "\\LabelStudio\\up"));
    ASSERT_TRUE(MakeUnixLink(folder, folder + "\\back"));
    CreateDirectoryA((folder + "\\Plugins").c_str(), nullptr);
    std::string receipt = folder + "\\DRVCONFIG\\setup_receipt.ini";
    std::vector<std::string> hostile = {RecordItem("Shared\\victim.txt", outside / "victim.txt"),
                                        RecordItem("notes.txt", folder + "\\Drovix.exe"),
                                        "LabelStudio",
                                        "Plugins\\x.dll",
                                        "COM1",
                                        "aux.txt",
                                        "\\??\\COM1",
                                        "LabelStudio\\*"};
    // Re-registration over the hostile record: nothing of it is deleted or moved away.
    AddToRecord(hostile);
    Expect(0, "install /model:QR-58");
    EXPECT_TRUE(ForeignThingsStay());
    EXPECT_EQ("outside", ReadTextFile(outside / "victim.txt"));
    AddToRecord(hostile);
    ASSERT_TRUE(WriteTextFile(receipt, "the till's own receipt settings"));
    std::string pendingBefore = PendingRenames();

    std::string removed = Expect(0, "remove /all /driver /components");
    EXPECT_TRUE(ForeignThingsStay());
    EXPECT_EQ("outside", ReadTextFile(outside / "victim.txt"));
    EXPECT_EQ("notes", ReadTextFile(folder + "\\notes.txt"));
    EXPECT_EQ("the till's own receipt settings", ReadTextFile(receipt));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Plugins").c_str()));
    EXPECT_FALSE(FileExists(folder + "\\Drovix.exe"));
    std::string pending = PendingRenames();
    pending = pending.substr(pending.size() > pendingBefore.size() ? pendingBefore.size() : 0);
    EXPECT_EQ(std::string::npos, pending.find(folder)) << pending;
    EXPECT_EQ(std::string::npos, pending.find("COM1")) << pending;
    const std::string kept = "保留：安装目录中的文件 " + folder + "\\";
    EXPECT_TRUE(Says(removed, kept + "Shared\\victim.txt（文件夹 " + folder + "\\Shared 是链接，不跟随）"))
        << removed;
    EXPECT_TRUE(Says(removed, kept + "notes.txt（安装后已被更改或替换）")) << removed;
    EXPECT_TRUE(Says(removed, kept + "DRVCONFIG\\setup_receipt.ini（安装后已被更改或替换）")) << removed;
    EXPECT_TRUE(Says(removed, kept + "LabelStudio（是文件夹，不是本程序安装的文件）")) << removed;
    for (const char* name : {"COM1", "aux.txt", "\\??\\COM1", "LabelStudio\\*"})
        EXPECT_TRUE(Says(removed, kept + name + "（记录中的名称不是安装目录中的普通文件名）"))
            << name << removed;
    EXPECT_TRUE(Says(removed, "保留：安装目录 " + folder + "\\Plugins（不是本程序创建的）")) << removed;

    // A configuration folder that is a link: registration writes nothing through it, says so, and
    // records the programs that landed before it.
    RemoveTree(folder + "\\DRVCONFIG");
    ASSERT_TRUE(MakeUnixLink(outside / "cfg", folder + "\\DRVCONFIG"));
    std::string refused = Expect(0, "install /model:QR-58");
    EXPECT_TRUE(Says(refused, "文件夹 " + folder + "\\DRVCONFIG 是链接，不跟随")) << refused;
    EXPECT_EQ("another program's settings", ReadTextFile(outside / "cfg\\setup.ini"));
    std::string record = ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "InstalledFiles");
    EXPECT_NE(std::string::npos, record.find("QelvanDeploy.exe|")) << record;
    EXPECT_EQ(std::string::npos, record.find("DRVCONFIG")) << record;
}
