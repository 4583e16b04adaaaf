// The Install command on Windows 98/Me, where the progress window closes at 90 % whether or not the
// engine has ended: the result is shown only once the engine has ended.
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "pages/PortPage.h"
#include "resources/ResourceIds.h"
#include "tests/sequence/EngineRunTest.h"
#include "tests/support/MessageBoxWatcher.h"
#include "common/ResourceText.h"

namespace {
const int kProgressBarId = 1079;

BOOL CALLBACK FindProgressWindow(HWND hwnd, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(hwnd) ||
        GetDlgItem(hwnd, kProgressBarId) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

bool ProgressWindowShown() {
    HWND found = nullptr;
    EnumWindows(FindProgressWindow, reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
}

// AddPrinterA as a slow machine answers it: after the progress window has come and gone, and later
// than the display's wait of about 2 s after a closed window.
HANDLE WINAPI LateAddPrinter(LPSTR server, DWORD level, LPBYTE info) {
    for (int i = 0; i < 1500 && !ProgressWindowShown(); ++i) Sleep(10);
    for (int i = 0; i < 3000 && ProgressWindowShown(); ++i) Sleep(10);
    Sleep(3000);
    return AddPrinterA(server, level, info);
}

// The wizard on its port page from the start, with Install pressed as soon as it shows.
class InstallingWizard : public WizardDialog {
public:
    void SetActivePage(int) override { ShowPage(kPortPage); }
    BOOL OnInitDialog() override {
        BOOL shown = WizardDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDOK);
        return shown;
    }
};
}  // namespace

TEST_F(EngineRunTest, ResultOnlyAfterAnEngineSlowerThanTheProgressWindow) {
    ASSERT_EQ(Windows98Me, system);
    ASSERT_TRUE(CopyFileTo(MediumDir() + "\\DRVCONFIG\\Left.bmp", medium.Path() + "\\DRVCONFIG\\Left.bmp"));
    leftovers.CreateSerialPortClass();
    // The Install command takes the port page from its place in the page order; the four pages
    // before it only hold their places.
    InstallingWizard installing;
    CDialog licence(IDD_MODE_PAGE), printer(IDD_MODE_PAGE), mode(IDD_MODE_PAGE), systemPage(IDD_MODE_PAGE);
    PortPage port(IDD_PORT_PAGE);
    for (CDialog* page : {&licence, &printer, &mode, &systemPage, static_cast<CDialog*>(&port)})
        installing.AddPage("", page, page->TemplateId());
    FillChoices(installing.choices, kModel, SerialPort());
    CopyText(port.portName, SerialPort());
    port.baudRate = 9600;

    // Each message with what the engine's last steps had left when it showed: the printer and the
    // port's settings.
    std::vector<std::string> shown;
    {
        MessageBoxWatcher watcher(IDNO, [&](const ShownMessage& message) {
            shown.push_back(message.text + " | " + (ReadPrinter("QT-R58(S)").found ? "printer" : "none") +
                            " | " + ProfileValueOrNone("Ports", "COM2:"));
        });
        SeamOverride<decltype(Spooler().addPrinter)> late(Spooler().addPrinter, LateAddPrinter);
        installing.DoModal();
    }
    const std::string after = " | printer | 9600,n,8,1,p";
    EXPECT_EQ((std::vector<std::string>{"打印机驱动安装成功！" + after,
                                        ResourceText(IDS_RESTART_QUESTION) + after}),
              shown);
}
