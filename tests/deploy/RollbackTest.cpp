// A run the Windows Installer may take back: apply under a journal that fails part-way, then rollback,
// leaves the whole till as it found it; a run that succeeds hands the printers to the package's entry
// only at its commit, and an earlier entry is never removed by a run that failed.
#include <string>
#include <vector>

#include "common/HexText.h"
#include "common/SingleInstance.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/support/TillState.h"

namespace {
const char kPackageMarkerKey[] = "SOFTWARE\\Qelvan\\PrinterDriversPackage";

class RollbackTest : public DeployTest {
protected:
    void SetUp() override {
        CreateDirectoryA((SystemDirectoryPath() + "\\spool\\PRINTERS").c_str(), nullptr);
        RemoveTree(ports);
    }
    void TearDown() override {
        RemoveTree(ports);
        RemoveTree(journal);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPackageMarkerKey);
    }
    // The simulated printer on the port refuses every job from now on.
    void RefuseJobsOn(const char* port) {
        CreateDirectoryA(ports.c_str(), nullptr);
        ASSERT_TRUE(WriteTextFile(ports + "\\" + port + ".fail", "off"));
    }
    std::string WriteProfile(const std::string& text) {
        std::string path = medium / "till.ini";
        EXPECT_TRUE(WriteTextFile(path, text));
        return path;
    }

    std::string ports = WindowsDirectoryPath() + "\\QelvanPorts";
    std::string journal = TestDir() + "\\journal";
};

TEST_F(RollbackTest, ARunThatFailsPartWayIsUndoneToTheTillItFound) {
    // A till of a serial printer whose processor is outdated, beside another maker's printer.
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    ForeignPrinter foreign("LPT3:");
    std::string processor = ProcessorKey(kNtEnvironment, "QelvanProc");
    DWORD current = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, processor, "DriverVersion", current));
    SetVersion(processor, current - 1);
    TillState before = CaptureTill();

    // The first entry updates the processor, the second installs a printer (driver, port, default) whose
    // test page its port refuses: the run fails after it changed the till.
    RefuseJobsOn("TVCOM2");
    std::string profile = WriteProfile(
        "[QelvanProfile]\r\nPrinters=2\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n[Printer2]\r\nModel="
        "QT-200\r\n"
        "Port=TVCOM2:\r\nDefault=Yes\r\n");
    std::string applied =
        Expect(1603, "apply /file:\"" + profile + "\" /testpage /journal:\"" + journal + "\"");
    ASSERT_TRUE(Says(applied, "] 已安装：QT-200")) << applied;
    ASSERT_TRUE(Says(applied, "测试页未能交给打印机")) << applied;
    EXPECT_TRUE(HasVersion(processor, current)) << applied;

    // Never refused while another program of the medium is at work: the wizard is open.
    HANDLE wizard = CreateMutexA(nullptr, TRUE, kWizardMutex);
    std::string undone = Expect(0, "rollback /journal:\"" + journal + "\"");
    CloseHandle(wizard);
    EXPECT_TRUE(Says(undone, "已删除：打印机 QT-200")) << undone;
    EXPECT_TRUE(Says(undone, "这次运行所做的更改已全部撤销。")) << undone;
    EXPECT_EQ("", TillDifferences(before, CaptureTill())) << undone;
    EXPECT_TRUE(foreign.Untouched());
    EXPECT_FALSE(FileExists(journal + "\\journal.txt"));
    // Nothing is left to undo a second time, and nothing is undone by guesswork.
    std::string again = Expect(1603, "rollback /journal:\"" + journal + "\"");
    EXPECT_TRUE(Says(again, "没有可撤销的运行记录")) << again;
}

TEST_F(RollbackTest, AJournalNamingWhatIsNotTheRunsTouchesNothingOfIt) {
    // Another program's file and key, and lines added to the journal that call them the run's own.
    std::string foreignFile = SystemDirectoryPath() + "\\othermaker.dll";
    ASSERT_TRUE(WriteTextFile(foreignFile, "another maker's"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\OtherMaker", &key));
    RegSetValueExA(key, "Kept", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4);
    RegCloseKey(key);
    std::string profile =
        WriteProfile("[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n");
    std::string applied = Expect(0, "apply /file:\"" + profile + "\" /journal:\"" + journal + "\"");
    std::string text = ReadTextFile(journal + "\\journal.txt");
    ASSERT_FALSE(text.empty()) << applied;
    // Added before the closing line, whose count is made to fit: the journal reads as whole.
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.pop_back();
    lines.push_back("F " + HexText("missing") + " " + HexText(foreignFile) + " -");
    lines.push_back("K " + HexText("HKLM") + " " + HexText("SOFTWARE\\OtherMaker") + " -");
    lines.push_back("W " + HexText("windows") + " " + HexText("load") + " " + HexText("evil.exe"));
    lines.push_back("E " + HexText(std::to_string(lines.size())));
    text.clear();
    for (const std::string& line : lines) text += line + "\r\n";
    ASSERT_TRUE(WriteTextFile(journal + "\\journal.txt", text));

    std::string undone = Expect(0, "rollback /journal:\"" + journal + "\"");
    EXPECT_TRUE(Says(undone, "已删除：打印机 QR-58(S)")) << undone;
    EXPECT_EQ("another maker's", ReadTextFile(foreignFile)) << undone;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\OtherMaker")) << undone;
    EXPECT_EQ("<none>", ProfileValueOrNone("windows", "load")) << undone;
    RemoveFile(foreignFile);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\OtherMaker");
}

TEST_F(RollbackTest, AJournalCutShortOrAFolderThereBeforeIsRefused) {
    std::string profile =
        WriteProfile("[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n");
    // A folder there already (another program's, a link's) is never written in.
    ASSERT_TRUE(CreateDirectoryA(journal.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(journal + "\\file1", "another program's"));
    std::string refused = Expect(1603, "apply /file:\"" + profile + "\" /journal:\"" + journal + "\"");
    EXPECT_TRUE(Says(refused, "必须是新的")) << refused;
    EXPECT_FALSE(ReadPrinter("QR-58(S)").found);
    EXPECT_EQ("another program's", ReadTextFile(journal + "\\file1"));
    RemoveTree(journal);

    // A journal cut short would call the printer that was there the run's: nothing is undone by it.
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    Expect(0, "apply /file:\"" + profile + "\" /journal:\"" + journal + "\"");
    std::string text = ReadTextFile(journal + "\\journal.txt");
    ASSERT_TRUE(WriteTextFile(journal + "\\journal.txt", text.substr(0, text.size() / 2)));
    std::string cut = Expect(1603, "rollback /journal:\"" + journal + "\"");
    EXPECT_TRUE(Says(cut, "不完整或已被改动")) << cut;
    EXPECT_TRUE(ReadPrinter("QR-58(S)").found) << cut;
}

TEST_F(RollbackTest, AnEarlierEntryGoesOnlyWhenTheRunSucceeded) {
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    // As while the package is installed: its marker stands for the medium.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kPackageMarkerKey, &key));
    RegSetValueExA(key, "ProductCode", 0, REG_SZ, reinterpret_cast<const BYTE*>("{X}"), 4);
    RegCloseKey(key);

    // A failed run keeps the entry that still reaches the printer, and says so.
    RefuseJobsOn("TVCOM2");
    std::string failing =
        WriteProfile("[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=TVCOM2:\r\n");
    std::string failed = Expect(1603, "apply /file:\"" + failing + "\" /testpage");
    EXPECT_TRUE(Says(failed, "保留：程序列表中原有的项目")) << failed;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey)) << failed;

    // Under a journal the run that succeeds leaves the entry to the commit.
    std::string profile =
        WriteProfile("[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QR-58\r\nPort=TVCOM1:\r\n");
    std::string applied = Expect(0, "apply /file:\"" + profile + "\" /journal:\"" + journal + "\"");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey)) << applied;
    std::string committed = Expect(0, "commit /journal:\"" + journal + "\"");
    EXPECT_TRUE(Says(committed, "已删除：程序列表中的项目")) << committed;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey)) << committed;
    EXPECT_FALSE(FileExists(journal + "\\journal.txt"));
    EXPECT_EQ("TVCOM1:", ReadPrinter("QR-58(S)").port);
}
}  // namespace
