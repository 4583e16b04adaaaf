// Start-up of the real wizard: the files it needs in its working directory, the single running copy,
// the companion uninstaller, the About box and the manual's window.
#include <gtest/gtest.h>

#include "resources/ControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/support/RegistryState.h"
#include "tests/ui/UiTestSupport.h"

namespace {
// Starts the built wizard (License.txt and the banner lie beside it) from workingDir and collects the
// messages it shows until it ends.
std::vector<ShownMessage> RunUntilExit(WizardDriver& driver, const std::string& workingDir) {
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", kTestWindowsVersion);
    if (!driver.Launch(WizardDriver::BuiltExe(), workingDir)) return {};
    return driver.AnswerMessagesUntilExit(IDOK);
}

const char kManualCommand[] = "chm.file\\shell\\open\\command";

// While it lives, opening a ".chm" file writes the file marker instead of starting the help viewer,
// so a test sees whether the wizard opened its manual.
class ManualOpenMarker {
public:
    explicit ManualOpenMarker(const std::string& marker)
        : saved_(ReadStringOrNone(HKEY_CLASSES_ROOT, kManualCommand, "")) {
        Set("cmd.exe /c echo %1> \"" + marker + "\"");
    }
    ~ManualOpenMarker() {
        if (saved_ != kMissingValue) Set(saved_);
    }
    ManualOpenMarker(const ManualOpenMarker&) = delete;
    ManualOpenMarker& operator=(const ManualOpenMarker&) = delete;

private:
    static void Set(const std::string& command) {
        RegSetValueA(HKEY_CLASSES_ROOT, kManualCommand, REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size()));
    }
    std::string saved_;
};
}  // namespace

TEST(WizardStart, MissingLicenceInTheWorkingDirectoryEndsTheWizard) {
    TempDir work("qelvan-ui");
    ASSERT_TRUE(
        CopyFileTo(WizardDriver::BuiltMedium() + "\\DRVCONFIG\\Left.bmp", work / "DRVCONFIG\\Left.bmp"));
    WizardDriver driver;
    std::vector<ShownMessage> shown = RunUntilExit(driver, work.Path());
    EXPECT_TRUE(driver.WaitForExit(5000));
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(ResourceText(IDS_NO_LICENSE), shown[0].text);
    EXPECT_EQ("无法找到License.txt文件！", shown[0].text);
    EXPECT_EQ(kAppTitle, shown[0].caption);
}

TEST(WizardStart, MissingBannerInTheWorkingDirectoryEndsTheWizard) {
    TempDir work("qelvan-ui");
    ASSERT_TRUE(CopyFileTo(WizardDriver::BuiltMedium() + "\\License.txt", work / "License.txt"));
    WizardDriver driver;
    std::vector<ShownMessage> shown = RunUntilExit(driver, work.Path());
    EXPECT_TRUE(driver.WaitForExit(5000));
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("无法找到Left.bmp文件！", shown[0].text);
    EXPECT_EQ(kAppTitle, shown[0].caption);
    EXPECT_EQ(nullptr, driver.FindWindowOfProcess(kWizardCaption));
}

TEST(WizardStart, MediumTooDeepIsRefusedBeforeAnyPage) {
    // The licence and the banner fit; the category files would not.
    TempDir work("qelvan-ui");
    std::string deep = MakeDeepDirectory(work.Path(), 231);
    ASSERT_TRUE(CopyFileTo(WizardDriver::BuiltMedium() + "\\License.txt", deep + "\\License.txt"));
    ASSERT_TRUE(
        CopyFileTo(WizardDriver::BuiltMedium() + "\\DRVCONFIG\\Left.bmp", deep + "\\DRVCONFIG\\Left.bmp"));
    WizardDriver driver;
    std::vector<ShownMessage> shown = RunUntilExit(driver, deep);
    EXPECT_TRUE(driver.WaitForExit(5000));
    ASSERT_EQ(1u, shown.size());
    // The path is broken into lines after backslashes, so that the box fits the screen.
    std::string text = shown[0].text;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        EXPECT_EQ('\\', text[at - 1]) << text;
        text.erase(at, 1);
    }
    EXPECT_EQ(0u, text.find("安装介质的路径太长：" + deep + " 中的文件路径将超过")) << shown[0].text;
    EXPECT_LE(shown[0].frame.right - shown[0].frame.left, GetSystemMetrics(SM_CXSCREEN) * 2 / 3) << text;
    EXPECT_EQ(kAppTitle, shown[0].caption);
}

TEST(WizardStart, SecondCopyRestoresTheFirstAndEndsSilently) {
    WizardDriver first;
    HWND wizard = StartWizard(first);
    ASSERT_NE(nullptr, wizard);
    first.Post(wizard, WM_SYSCOMMAND, SC_MINIMIZE);
    for (int i = 0; i < 100 && !IsIconic(wizard); ++i) Sleep(20);
    ASSERT_TRUE(IsIconic(wizard));

    WizardDriver second;
    ASSERT_TRUE(second.Launch(WizardDriver::BuiltExe(), WizardDriver::BuiltMedium()));
    std::vector<ShownMessage> shown = second.AnswerMessagesUntilExit(IDOK, 15000);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(1000, &exitCode));
    EXPECT_TRUE(shown.empty()) << shown[0].text;
    EXPECT_EQ(0u, exitCode);

    first.Sync(wizard);
    EXPECT_FALSE(IsIconic(wizard));
    EXPECT_TRUE(IsWindowVisible(wizard));
    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(CancelWizard(first, wizard));
}

TEST(WizardStart, OpenUninstallerRefusesTheStartOnce) {
    {
        // An older companion uninstaller may be a window of any class: its caption alone holds the
        // wizard off.
        CaptionedWindow uninstaller("Drovix");
        WizardDriver driver;
        std::vector<ShownMessage> shown = RunUntilExit(driver, WizardDriver::BuiltMedium());
        EXPECT_TRUE(driver.WaitForExit(5000));
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ("请先关闭Drovix!", shown[0].text);
        EXPECT_EQ(kAppTitle, shown[0].caption);
    }
    // With the uninstaller closed the wizard starts normally, beside a window of another kind that only
    // shares the wizard's own caption (Explorer open on the folder "Qelvan").
    CaptionedWindow other("Qelvan");
    WizardDriver driver;
    HWND wizard = StartWizard(driver);
    ASSERT_NE(nullptr, wizard);
    EXPECT_TRUE(CancelWizard(driver, wizard));
}

// Win32s is not supported: the system page says so while the wizard starts, before the wizard shows
// (its window is created when the page is first needed, the system page's at the start).
TEST(WizardStart, UnsupportedSystemIsToldBeforeTheWizardShows) {
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", "win31");
    WizardDriver driver;
    ASSERT_TRUE(driver.Launch(WizardDriver::BuiltExe(), WizardDriver::BuiltMedium()));
    ShownMessage message;
    HWND box = driver.WaitForMessageBox(message);
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", kTestWindowsVersion);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(ResourceText(IDS_UNSUPPORTED_SYSTEM), message.text);
    EXPECT_EQ(nullptr, driver.FindWindowOfProcess(kWizardCaption));
    AnswerMessageBox(box, IDOK);
    HWND wizard = driver.WaitForWindow(kWizardCaption);
    ASSERT_NE(nullptr, wizard);
    EXPECT_TRUE(CancelWizard(driver, wizard));
}

TEST(WizardFrame, AboutEntryOpensTheAboutBoxOverTheWizard) {
    WizardDriver driver;
    HWND wizard = StartWizard(driver);
    ASSERT_NE(nullptr, wizard);
    driver.Post(wizard, WM_SYSCOMMAND, IDM_ABOUTBOX);
    HWND about = driver.WaitForWindow("关于 QelvanSetup", 5000);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(wizard, GetWindow(about, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(wizard));  // modal over the wizard
    driver.Click(GetDlgItem(about, IDOK));
    EXPECT_EQ(nullptr, driver.FindWindowOfProcess("关于 QelvanSetup"));
    EXPECT_TRUE(IsWindowEnabled(wizard));
    EXPECT_TRUE(CancelWizard(driver, wizard));
}

TEST(WizardFrame, F1RestoresTheOpenManualAndOpensItOnlyWhenNoneIsOpen) {
    TempDir work("qelvan-ui");
    ASSERT_TRUE(WizardDriver::CopyTree(WizardDriver::BuiltMedium(), work.Path()));
    ASSERT_TRUE(WriteTextFile(work / "Guide.CHM", "stand-in manual"));
    std::string opened = work / "manual-opened.txt";
    ManualOpenMarker marker(opened);
    WizardDriver driver;
    HWND wizard = nullptr;
    // A typed F1 reaches the focused control as WM_KEYF1, which the system turns into WM_HELP.
    const UINT kKeyF1 = 0x004D;  // WM_KEYF1
    {
        CaptionedWindow manual("Mendral", SW_SHOWMINIMIZED);
        ASSERT_TRUE(IsIconic(manual.Handle()));
        wizard = StartWizard(driver, work.Path());
        ASSERT_NE(nullptr, wizard);
        driver.Post(GetDlgItem(wizard, IDCANCEL), kKeyF1);
        // The wizard works on the manual's window, which belongs to this thread.
        for (int i = 0; i < 50 && IsIconic(manual.Handle()); ++i) {
            manual.Pump();
            Sleep(20);
        }
        EXPECT_FALSE(IsIconic(manual.Handle()));
        // Which window ends on top is left to the X server here (there is no window manager), so only
        // the restore is checked. No second manual is opened.
        Sleep(2000);
        EXPECT_FALSE(FileExists(opened));
    }
    // With no manual open, F1 opens it.
    driver.Post(GetDlgItem(wizard, IDCANCEL), kKeyF1);
    for (int i = 0; i < 500 && !FileExists(opened); ++i) Sleep(20);
    EXPECT_TRUE(FileExists(opened));
    EXPECT_TRUE(CancelWizard(driver, wizard));
}
