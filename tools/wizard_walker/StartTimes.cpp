// The start time of the wizard next to that of a bare dialog program (tools/bare_dialog) on the same
// prefix and display. Both are started the same way and timed by the same rule, alternately, so a
// busy moment of the machine falls on both alike; the ratio of the medians is the wizard's own cost.
#include <algorithm>
#include <string>
#include <vector>

#include "resources/ControlIds.h"
#include "tests/support/WizardDriver.h"
#include "tools/wizard_walker/BenchmarkSupport.h"

namespace {
const int kStartRuns = 7;

struct StartTarget {
    std::string exe;
    const char* exeName;  // for the Windows version Wine reports to it
    const char* caption;  // of its top-level window
    int shownControl;     // a control that must be visible too (the licence text), or 0
    std::vector<double> runs;
};

// The bare dialog lies beside this program.
std::string BareDialogExe() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string exe(path, length);
    return exe.substr(0, exe.find_last_of('\\') + 1) + "BareDialog.exe";
}

bool IsShown(const WizardDriver& driver, const StartTarget& target, HWND window) {
    if (window == nullptr) return false;
    if (target.shownControl != 0 && !IsWindowVisible(WizardDriver::Control(window, target.shownControl)))
        return false;
    return driver.Sync(window, 10000);
}

// From the process's creation until its top-level window is visible and answers a message,
// milliseconds; negative on failure. The program is then closed with its Cancel button.
double MeasureStart(const StartTarget& target) {
    WizardDriver driver;
    LARGE_INTEGER start = Now();
    if (!driver.Launch(target.exe, WizardDriver::BuiltMedium())) return -1;
    HWND window = nullptr;
    for (DWORD begin = GetTickCount(); GetTickCount() - begin < 30000 && driver.IsRunning(); Sleep(1)) {
        window = driver.FindWindowOfProcess(target.caption);
        if (IsShown(driver, target, window)) break;
        window = nullptr;
    }
    double elapsed = Milliseconds(start, Now());
    if (window == nullptr) return -1;
    driver.WaitForWindow(target.caption);
    driver.Click(GetDlgItem(window, IDCANCEL));
    driver.WaitForExit(15000);
    return elapsed;
}

// The median of the runs, after sorting them; negative when there is none.
double Median(std::vector<double>& runs) {
    if (runs.empty()) return -1;
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void PrintMedian(const char* title, StartTarget& target) {
    double median = Median(target.runs);
    if (median < 0) {
        PrintLine(std::string(title) + " no start showed its window");
        return;
    }
    char what[200];
    snprintf(what, sizeof what, "(median of %u starts, fastest %.0f ms)",
             static_cast<unsigned>(target.runs.size()), target.runs.front());
    Print((std::string(title) + " %8.0f ms %s").c_str(), median, what);
}
}  // namespace

void ReportStarts() {
    StartTarget bare{BareDialogExe(), "BareDialog.exe", "Bare", 0, {}};
    StartTarget wizard{WizardDriver::BuiltExe(), "QelvanSetup.exe", "Qelvan", IDC_LICENSE_TEXT, {}};
    for (StartTarget* target : {&bare, &wizard}) WizardDriver::SetWindowsVersion(target->exeName, "winxp");
    for (int i = 0; i < kStartRuns; ++i) {
        for (StartTarget* target : {&bare, &wizard}) {
            double ms = MeasureStart(*target);
            if (ms >= 0) target->runs.push_back(ms);
        }
    }
    PrintLine("start (process creation until the top-level window is visible and answers a message;");
    PrintLine("       bare dialog and wizard started alternately):");
    PrintMedian("  bare dialog:          ", bare);
    PrintMedian("  wizard, licence page: ", wizard);
    WizardDriver::SetWindowsVersion(bare.exeName, "");
    if (bare.runs.empty() || wizard.runs.empty()) return;
    Print("  ratio wizard / bare:  %8.2f %s", Median(wizard.runs) / Median(bare.runs), "(of the medians)");
}
