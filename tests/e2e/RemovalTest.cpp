// Removal as the list of installed programs offers it: the entry an installation registers, the quiet
// removal it names run with the medium gone, and the removal window started through Wine's own
// uninstaller, which reads the same key.
#include "resources/ResourceIds.h"
#include "tests/e2e/E2eSupport.h"
#include "uninstall/RemovalIds.h"

namespace {
std::string ProgramFolder() {
    std::string programFiles;
    ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               programFiles);
    return programFiles + "\\Qelvan";
}

std::string EntryValue(const char* name) {
    return ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, name);
}

// What Wine's uninstaller lists: one "KEY|||DisplayName" line per program.
std::string InstalledPrograms() {
    DWORD exitCode = 0;
    return RunAndCapture("uninstaller.exe --list", exitCode, TestDir());
}

std::string RunProgram(const std::string& commandLine, DWORD& exitCode) {
    return RunAndCapture(commandLine, exitCode, TestDir(), 120000);
}

bool ListedIn(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class RemovalTest : public EndToEndTest {
protected:
    RemovalTest() {
        SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
        SetWindowsVersionFor("Drovix.exe", "winxp");
    }
    ~RemovalTest() override {
        SetWindowsVersionFor("QelvanDeploy.exe", "");
        SetWindowsVersionFor("Drovix.exe", "");
    }
    void InstallWithDeploy(const std::string& model) {
        DWORD exitCode = 99;
        std::string output =
            RunProgram("\"" + (medium / "QelvanDeploy.exe") + "\" install /model:" + model, exitCode);
        ASSERT_EQ(0u, exitCode) << output;
    }
};
}  // namespace

TEST_F(RemovalTest, WizardRegistersAndTheQuietRemovalNeedsNoMedium) {
    ASSERT_TRUE(medium.SetUsbPrinters({}));
    PrinterChoice choice;
    choice.model = "QR-58";
    ASSERT_TRUE(WalkToPortPage("winxp", choice));
    ASSERT_EQ("", walk.SelectPort("USB_QR-58_1"));
    EXPECT_EQ(std::vector<std::string>{ResourceText(IDS_INSTALL_SUCCEEDED_RESET)}, Texts(InstallAndFinish()));

    std::string folder = ProgramFolder();
    EXPECT_TRUE(ListedIn(InstalledPrograms(), "QelvanPrinterDrivers|||Qelvan 打印机驱动程序"));
    EXPECT_EQ("2.0.0.0", EntryValue("DisplayVersion"));
    EXPECT_EQ("Qelvan", EntryValue("Publisher"));
    EXPECT_EQ(folder, EntryValue("InstallLocation"));
    EXPECT_EQ(folder + "\\Drovix.exe,0", EntryValue("DisplayIcon"));
    EXPECT_EQ("\"" + folder + "\\Drovix.exe\"", EntryValue("UninstallString"));
    std::string quiet = EntryValue("QuietUninstallString");
    EXPECT_EQ("\"" + folder + "\\QelvanDeploy.exe\" remove /all /driver /components", quiet);
    DWORD value = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "NoModify", value) && value == 1);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "NoRepair", value) && value == 1);
    // The two programs, the configuration files and the banner in the folder; the driver's files add to it.
    DWORD programsKiB = static_cast<DWORD>(
        (ReadTextFile(folder + "\\Drovix.exe").size() + ReadTextFile(folder + "\\QelvanDeploy.exe").size()) /
        1024);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "EstimatedSize", value));
    EXPECT_GT(value, programsKiB + 100);
    EXPECT_EQ(ReadTextFile(medium / "DRVCONFIG\\setup_receipt.ini"),
              ReadTextFile(folder + "\\DRVCONFIG\\setup_receipt.ini"));

    // A second printer, by the deployment program; then the medium goes back in its box.
    InstallWithDeploy("QT-200");
    std::string away = medium.Path() + "-away";
    ASSERT_TRUE(MoveFileA(medium.Path().c_str(), away.c_str()));

    // The first printer goes; the second keeps its print processor, and the entry stays.
    DWORD exitCode = 99;
    std::string output = RunProgram(
        "\"" + folder + "\\QelvanDeploy.exe\" remove /printer:\"QR-58(U) 1\" /driver /components", exitCode);
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 1").found);
    EXPECT_EQ(std::vector<std::string>{"Qelvan QT-200 GDI"}, MakerDrivers(kNtEnvironment));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan USB Port")));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(kNtEnvironment, "QelvanProc")));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));

    // The quiet removal as the entry names it; what a failed installation left with no printer to reach
    // it by (a USB port record) goes with the rest.
    HKEY portNames = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kPortNameKey, &portNames));
    DWORD three = 3;
    RegSetValueExA(portNames, "USB_QR-58_3", 0, REG_DWORD, reinterpret_cast<BYTE*>(&three), sizeof three);
    RegCloseKey(portNames);
    output = RunProgram(quiet, exitCode);
    EXPECT_EQ(0u, exitCode) << output;
    EXPECT_TRUE(MakerPrinters().empty());
    EXPECT_TRUE(MakerDrivers(kNtEnvironment).empty());
    EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, kPortNameKey).empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProcessorKey(kNtEnvironment, "QelvanProc")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    EXPECT_FALSE(ListedIn(InstalledPrograms(), "QelvanPrinterDrivers"));
    EXPECT_FALSE(FileExists(folder + "\\Drovix.exe"));
    // The program that ran was moved out of the way to go at the next start, and its folder with it.
    EXPECT_FALSE(FileExists(folder + "\\QelvanDeploy.exe"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
    RunProgram("wineboot.exe -r", exitCode);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
    MoveFileA(away.c_str(), medium.Path().c_str());
}

TEST_F(RemovalTest, RemovalWindowFromTheEntryRemovesTheTickedPrinter) {
    InstallWithDeploy("QR-58");
    InstallWithDeploy("QT-200");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION uninstaller = {};
    std::string command = "uninstaller.exe --remove QelvanPrinterDrivers";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, TestDir().c_str(),
                               &startup, &uninstaller));
    WizardDriver window;
    ASSERT_TRUE(window.Attach("Drovix"));
    HWND frame = window.FindWindowOfProcess("Drovix");
    HWND first = WizardDriver::Control(frame, IDC_REMOVAL_FIRST_PRINTER);
    HWND second = WizardDriver::Control(frame, IDC_REMOVAL_FIRST_PRINTER + 1);
    EXPECT_EQ("QR-58(U) 1（USB_QR-58_1，Qelvan QR-58 GDI）", WizardDriver::Text(first));
    EXPECT_EQ("QT-200(P)（LPT1:，Qelvan QT-200 GDI）", WizardDriver::Text(second));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(first));
    EXPECT_EQ(BST_CHECKED, WizardDriver::Check(WizardDriver::Control(frame, IDC_REMOVAL_ORPHANS)));
    EXPECT_FALSE(WizardDriver::IsVisible(WizardDriver::Control(frame, IDC_REMOVAL_FIRST_PRINTER + 2)));

    // The wizard does not start while the removal window is open.
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Launch(medium.Exe(), medium.Path()));
    ShownMessage refusal;
    HWND box = wizard.WaitForMessageBox(refusal);
    EXPECT_EQ("请先关闭Drovix!", refusal.text);
    if (box != nullptr) AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(wizard.WaitForExit(15000));

    window.Click(second);
    EXPECT_EQ(BST_UNCHECKED, WizardDriver::Check(second));
    window.Post(WizardDriver::Control(frame, IDOK), BM_CLICK);
    ShownMessage question;
    box = window.WaitForMessageBox(question);
    EXPECT_EQ("确定要删除选中的打印机吗？", question.text);
    ASSERT_NE(nullptr, box);
    AnswerMessageBox(box, IDYES);
    window.Sync(frame);
    std::string results = WizardDriver::Text(WizardDriver::Control(frame, IDC_REMOVAL_RESULTS));
    EXPECT_EQ("删除完毕。删除结果：", WizardDriver::Text(WizardDriver::Control(frame, IDC_REMOVAL_INTRO)));
    EXPECT_TRUE(ListedIn(results, "已删除：打印机 QR-58(U) 1\r\n")) << results;
    EXPECT_TRUE(ListedIn(results, "已删除：驱动程序 Qelvan QR-58 GDI\r\n")) << results;
    std::string kept = "保留：打印处理器 QelvanProc（打印机 QT-200(P) 仍在使用）\r\n";
    EXPECT_TRUE(ListedIn(results, kept)) << results;
    EXPECT_EQ(std::string::npos, results.find(kept, results.find(kept) + 1)) << results;  // said once
    EXPECT_FALSE(ReadPrinter("QR-58(U) 1").found);
    EXPECT_TRUE(ReadPrinter("QT-200(P)").found);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));

    window.Click(WizardDriver::Control(frame, IDCANCEL));
    EXPECT_TRUE(window.WaitForExit(15000));
    WaitForSingleObject(uninstaller.hProcess, 15000);
    TerminateProcess(uninstaller.hProcess, 0);
    CloseHandle(uninstaller.hProcess);
    CloseHandle(uninstaller.hThread);
}
