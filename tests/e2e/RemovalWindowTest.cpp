// The removal window on a till with more than its own: refusal without the catalogue, the temporary
// copy's own new folder, a copy started by hand that keeps itself, each item's last outcome said once,
// the count of printers not listed kept in view, and controls wide enough for their texts.
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/PendingRenames.h"
#include "uninstall/RemovalIds.h"

namespace {
std::string TemporaryPath() {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    return path;
}

// The folders "QelvanRemoval…" under the temporary folder that hold a Drovix.exe.
std::vector<std::string> RemovalCopyFolders() {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((TemporaryPath() + "QelvanRemoval*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return folders;
    do {
        std::string folder = TemporaryPath() + found.cFileName;
        if (FileExists(folder + "\\Drovix.exe")) folders.push_back(folder);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return folders;
}

bool ListedIn(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool AddPrinterOn(const std::string& name, const char* driver, const char* port, const char* processor) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pDriverName = const_cast<char*>(driver);
    info.pPortName = const_cast<char*>(port);
    info.pPrintProcessor = const_cast<char*>(processor);
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer == nullptr) return false;
    ClosePrinter(printer);
    return true;
}

class RemovalWindowTest : public EndToEndTest {
protected:
    RemovalWindowTest() {
        SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
        SetWindowsVersionFor("Drovix.exe", "winxp");
    }
    ~RemovalWindowTest() override {
        SetWindowsVersionFor("QelvanDeploy.exe", "");
        SetWindowsVersionFor("Drovix.exe", "");
        for (const std::string& folder : RemovalCopyFolders()) RemoveTree(folder);
    }
    void Deploy(const std::string& arguments) {
        DWORD exitCode = 99;
        std::string output = RunAndCapture("\"" + (medium / "QelvanDeploy.exe") + "\" " + arguments, exitCode,
                                           TestDir(), 120000);
        ASSERT_EQ(0u, exitCode) << arguments << "\n" << output;
    }
};

INT_PTR CALLBACK LeaveDialogAlone(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
}  // namespace

TEST_F(RemovalWindowTest, RefusesWithoutTheCatalogue) {
    Deploy("install /model:QR-58");
    ASSERT_TRUE(DeleteFileA((medium / "DRVCONFIG\\setup.ini").c_str()));
    WizardDriver window;
    ASSERT_TRUE(window.Launch(medium / "Drovix.exe", medium.Path()));
    ShownMessage refusal;
    HWND box = window.WaitForMessageBox(refusal);
    EXPECT_EQ(
        "找不到安装介质的配置文件 DRVCONFIG\\setup.ini 或其中没有打印机型号，无法确定哪些是要删除的，"
        "未做任何更改。",
        refusal.text);
    if (box != nullptr) AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(window.WaitForExit(15000));
    EXPECT_TRUE(ReadPrinter("QR-58(U) 1").found);
    EXPECT_FALSE(ValueNames(HKEY_LOCAL_MACHINE, kPortNameKey).empty());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
}

// A copy started by hand, named in an edited RemovalCopy value: it lists nothing of another catalogue
// and, outside the folders the removal makes, keeps itself and the folder it stands in.
TEST_F(RemovalWindowTest, ACopyStartedByHandTrustsOnlyWhatTheEntryRecords) {
    Deploy("install /model:QR-58");
    TempDir elsewhere("qelvan-copy");
    std::string copy = elsewhere / "Drovix.exe";
    ASSERT_TRUE(CopyFileTo(medium / "Drovix.exe", copy));
    HKEY entry = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallEntryKey, 0, KEY_SET_VALUE, &entry));
    RegSetValueExA(entry, "RemovalCopy", 0, REG_SZ, reinterpret_cast<const BYTE*>(copy.c_str()),
                   static_cast<DWORD>(copy.size() + 1));
    RegCloseKey(entry);
    std::string recorded = ReadStringOrNone(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "InstallLocation");

    // Another folder's catalogue: refused before anything is listed.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + copy + "\" /folder:\"" + medium.Path() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               elsewhere.Path().c_str(), &startup, &process));
    CloseHandle(process.hThread);
    WizardDriver refused;
    ASSERT_TRUE(refused.Attach("Drovix"));
    ShownMessage refusal;
    HWND box = refused.WaitForMessageBox(refusal);
    EXPECT_EQ("文件夹 " + medium.Path() + " 不是安装时登记的安装目录，未做任何更改。", refusal.text);
    if (box != nullptr) AnswerMessageBox(box, IDOK);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
    CloseHandle(process.hProcess);

    std::string pendingBefore = PendingRenames();
    command = "\"" + copy + "\" /folder:\"" + recorded + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               elsewhere.Path().c_str(), &startup, &process));
    WizardDriver window;
    ASSERT_TRUE(window.Attach("Drovix"));
    HWND frame = window.FindWindowOfProcess("Drovix");
    EXPECT_EQ("QR-58(U) 1（USB_QR-58_1，Qelvan QR-58 GDI）",
              WizardDriver::Text(WizardDriver::Control(frame, IDC_REMOVAL_FIRST_PRINTER)));
    window.Click(WizardDriver::Control(frame, IDCANCEL));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_TRUE(FileExists(copy));
    EXPECT_EQ(pendingBefore, PendingRenames());
}

TEST_F(RemovalWindowTest, EachItemOnceWithItsLastOutcomeAndTheUnlistedCountStays) {
    Deploy("install /model:QR-58 /advanced /port:USB_QR-58_1");
    Deploy("install /model:QR-58 /advanced /port:USB_QR-58_2 /renumber");
    Deploy("install /model:QT-200");
    PrinterRecord ticket = ReadPrinter("QT-200(P)");
    for (int index = 1; index <= 10; ++index)
        ASSERT_TRUE(AddPrinterOn("QX extra " + std::to_string(index + 10), "Qelvan QT-200 GDI",
                                 "LPT1:", ticket.processor.c_str()));
    // A folder of the fixed name the removal once used, with something planted in it.
    std::string planted = TemporaryPath() + "QelvanRemoval";
    CreateDirectoryA(planted.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(planted + "\\version.dll", "planted"));

    // Started as the list of installed programs starts it: from the program folder.
    std::string command = "uninstaller.exe --remove QelvanPrinterDrivers";
    DWORD exitCode = 0;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION uninstaller = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, TestDir().c_str(),
                               &startup, &uninstaller));
    WizardDriver window;
    ASSERT_TRUE(window.Attach("Drovix"));
    HWND frame = window.FindWindowOfProcess("Drovix");
    std::vector<std::string> copies = RemovalCopyFolders();
    ASSERT_EQ(1u, copies.size());
    EXPECT_NE(planted, copies[0]);
    HWND status = WizardDriver::Control(frame, IDC_REMOVAL_STATUS);
    std::string unlisted = "另有 3 台打印机未列出：删除以上打印机后再次打开本程序。";
    EXPECT_TRUE(ListedIn(WizardDriver::Text(status), unlisted)) << WizardDriver::Text(status);

    window.Post(WizardDriver::Control(frame, IDOK), BM_CLICK);
    ShownMessage question;
    HWND box = window.WaitForMessageBox(question);
    ASSERT_NE(nullptr, box);
    AnswerMessageBox(box, IDYES);
    window.Sync(frame);
    std::string results = WizardDriver::Text(WizardDriver::Control(frame, IDC_REMOVAL_RESULTS));
    EXPECT_TRUE(ListedIn(results, "已删除：端口监视器 Qelvan USB Port\r\n")) << results;
    EXPECT_FALSE(ListedIn(results, "保留：端口监视器 Qelvan USB Port")) << results;
    EXPECT_TRUE(ListedIn(WizardDriver::Text(status), unlisted)) << WizardDriver::Text(status);
    EXPECT_TRUE(ReadPrinter("QX extra 20").found);

    window.Click(WizardDriver::Control(frame, IDCANCEL));
    EXPECT_TRUE(window.WaitForExit(15000));
    WaitForSingleObject(uninstaller.hProcess, 15000);
    GetExitCodeProcess(uninstaller.hProcess, &exitCode);
    CloseHandle(uninstaller.hProcess);
    CloseHandle(uninstaller.hThread);
    // The copy the removal made goes; the planted folder is as it was.
    EXPECT_FALSE(FileExists(copies[0] + "\\Drovix.exe"));
    EXPECT_TRUE(FileExists(planted + "\\version.dll"));
    RemoveTree(planted);
}

// The rightmost column of a control's drawing that is not its background, its frame left out.
int RightmostInk(HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    HDC screen = GetDC(control);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const int frame = 4;
    COLORREF background = GetPixel(memory, client.right - frame - 1, client.bottom / 2);
    int rightmost = -1;
    for (int x = 0; x < client.right - frame; ++x) {
        for (int y = frame; y < client.bottom - frame; ++y) {
            if (GetPixel(memory, x, y) != background) rightmost = x;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    return rightmost;
}

// Each button and tick box shows its whole text, enabled or not: its text fits, and disabled (after a
// removal) it is drawn as far to the right as enabled (a lost last character ends it short).
TEST_F(RemovalWindowTest, ControlsShowTheirWholeTextsEnabledOrNot) {
    InitCommonControls();
    HMODULE program = LoadLibraryExA((medium / "Drovix.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    HWND dialog = CreateDialogParamA(program, MAKEINTRESOURCEA(IDD_REMOVAL), nullptr, LeaveDialogAlone, 0);
    ASSERT_NE(nullptr, dialog);
    int measured = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        char kind[32] = {};
        GetClassNameA(control, kind, sizeof kind);
        if (text[0] == '\0' || lstrcmpiA(kind, "Button") != 0) continue;
        RECT client = {};
        GetClientRect(control, &client);
        int enabled = RightmostInk(control);
        EnableWindow(control, FALSE);
        int disabled = RightmostInk(control);
        EXPECT_LT(0, enabled) << text;
        EXPECT_LT(enabled, client.right - 4) << text << ": the text reaches the edge";
        EXPECT_GE(disabled + 1, enabled) << text << ": disabled, the text ends short";
        ++measured;
    }
    EXPECT_EQ(3, measured);
    DestroyWindow(dialog);
    FreeLibrary(program);
}
