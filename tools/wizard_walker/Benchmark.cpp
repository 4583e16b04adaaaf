#include "tools/wizard_walker/Benchmark.h"

#include <windows.h>
// clang-format off
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>

#include "resources/ControlIds.h"
#include "tests/e2e/InstallationCleanup.h"
#include "tests/e2e/PrefixState.h"
#include "tests/e2e/WizardWalk.h"
#include "tests/support/TestSupport.h"
#include "tools/wizard_walker/BenchmarkSupport.h"
#include "tools/wizard_walker/WalkerOutput.h"

namespace {
// The waits between the press of Install and the progress window's closing that the installation
// itself prescribes. The engine starts with the progress window, whose first tick comes after 100 ms;
// the bar then climbs one step every 80 ms until it sees the engine's end, runs up to 99 in 10 ms
// steps and pauses 100 ms. An engine that itself sleeps engineWaitMs is therefore seen at step
// n = (engineWaitMs - 100) / 80 rounded up, and the window closes after 100 + 80 n + 10 (100 - n) +
// 100 ms. On Windows 98/Me the window closes at step 90 at the latest, whether the engine has ended
// or not.
DWORD PrescribedMs(DWORD engineWaitMs, bool closesAtNinety) {
    DWORD afterFirstTick = engineWaitMs > 100 ? engineWaitMs - 100 : 0;
    DWORD steps = std::min<DWORD>((afterFirstTick + 79) / 80, 91);
    if (closesAtNinety && steps >= 90) return 100 + 90 * 80;
    return 100 + 80 * steps + 10 * (100 - steps) + 100;
}

struct InstallCase {
    const char* title;
    const char* windowsVersion;
    const char* model;
    const char* port;
    bool outdatedComMonitor;  // the serial port monitor is installed in an older version
    DWORD engineWaitMs;       // the engine's own prescribed sleeps on this path
    bool closesAtNinety;
    const char* waits;  // what those waits are
};

const InstallCase kCases[] = {
    {"USB printer, Windows XP, fresh prefix", "winxp", "QR-58", "USB_QR-58_1", false, 200, false,
     "the engine's 200 ms after adding the print processor, the first 100 of them under the bar's first "
     "tick, seen at the bar's step 2 of 80 ms; then the bar's run up to 99 in 10 ms steps and its 100 ms "
     "pauses"},
    {"serial printer, Windows XP, outdated serial port monitor (spooler stopped and restarted)", "winxp",
     "QR-58", "TVCOM2:", true, 200 + 100 + 500 + 2500 + 1000, false,
     "engine 4300 ms: 200 ms after adding the processor, 100 + 500 ms after stopping the spooler, 2500 + "
     "1000 ms after starting it, seen at the bar's step 53; the bar's run up after it"},
    {"serial printer, Windows 98/Me", "win98", "QR-58", "COM2:", false, 200, true,
     "as on XP; the progress window would close at 90 % (7300 ms) had the engine not ended"},
};

// An older serial port monitor, as a system that had an earlier release of the driver keeps it.
void InstallOutdatedComMonitor() {
    WriteTextFile(SystemDirectoryPath() + "\\qvcommon.dll", "old monitor");
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan COM Port").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD version = 2;
    RegSetValueExA(key, "Driver", 0, REG_SZ, reinterpret_cast<const BYTE*>("qvcommon.dll"), 13);
    RegSetValueExA(key, "DriverVersion", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&version),
                   sizeof version);
    RegCloseKey(key);
}

struct InstallFigures {
    bool ok = false;
    double milliseconds = 0;          // Install to the result message
    double shownMilliseconds = 0;     // Install to the progress window shown
    double progressMilliseconds = 0;  // Install to the progress window's closing
    SIZE_T peakWorkingSet = 0;
    SIZE_T peakPagefile = 0;
};

// The wizard's peak memory as the system counts it for its process.
void ReadPeakMemory(DWORD processId, InstallFigures& figures) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        figures.peakWorkingSet = counters.PeakWorkingSetSize;
        figures.peakPagefile = counters.PeakPagefileUsage;
    }
    CloseHandle(process);
}

InstallFigures MeasureInstall(const InstallCase& test) {
    InstallFigures figures;
    InstallationCleanup::RemoveInstallations();
    if (test.outdatedComMonitor) InstallOutdatedComMonitor();
    WizardWalk walk;
    PrinterChoice choice;
    choice.model = test.model;
    std::string error = walk.Start(WizardDriver::BuiltExe(), test.windowsVersion);
    if (error.empty()) error = walk.WalkToPortPage(choice);
    if (error.empty()) error = walk.SelectPort(test.port);
    if (!error.empty()) {
        PrintLine("benchmark: " + error);
        return figures;
    }
    LARGE_INTEGER start = Now();
    walk.PressInstallWithoutWaiting();
    HWND progress = walk.WaitForProgressWindow(10000);
    figures.shownMilliseconds = Milliseconds(start, Now());
    while (progress != nullptr && IsWindowVisible(progress)) Sleep(2);
    figures.progressMilliseconds = Milliseconds(start, Now());
    ShownMessage result;
    if (walk.Driver().WaitForMessageBox(result, 60000) == nullptr) {
        PrintLine("benchmark: no result message");
        return figures;
    }
    figures.milliseconds = Milliseconds(start, Now());
    ReadPeakMemory(walk.Driver().ProcessId(), figures);
    PrintLine("  result message: " + OneLine(result.text));
    std::vector<ShownMessage> shown;
    figures.ok = walk.AnswerUntilExit([](const ShownMessage&) { return IDNO; }, shown, 30000);
    return figures;
}

void ReportInstalls() {
    for (const InstallCase& test : kCases) {
        PrintLine(std::string("installation: ") + test.title);
        InstallFigures figures = MeasureInstall(test);
        if (!figures.ok) continue;
        double prescribed = PrescribedMs(test.engineWaitMs, test.closesAtNinety);
        Print("  Install to result:     %8.0f ms %s", figures.milliseconds,
              "(press of Install to the result message)");
        Print("  progress window shown: %8.0f ms %s", figures.shownMilliseconds,
              "(press of Install to the progress window shown: the Install command's checks (for USB with "
              "the USB library), the wizard minimised, the window created; polled every 2 ms)");
        Print("  progress window:       %8.0f ms %s", figures.progressMilliseconds,
              "(press of Install to the progress window's closing)");
        Print("  prescribed waits:      %8.0f ms (%s)", prescribed, test.waits);
        Print("  beyond the waits:      %8.0f ms %s", figures.progressMilliseconds - prescribed,
              "(the steps before the progress window, the engine's work beyond its sleeps when it delays the "
              "step "
              "that sees its end, and the bar's own painting of each step, up to the window's closing)");
        Print("  closing to result:     %8.0f ms %s", figures.milliseconds - figures.progressMilliseconds,
              "(Wine waits up to 2 s for a window manager to confirm a hidden window; the virtual display "
              "has none)");
        Print("  peak working set:      %8.1f MiB %s", figures.peakWorkingSet / 1048576.0,
              "(PeakWorkingSetSize of the wizard's process, psapi)");
        Print("  peak committed memory: %8.1f MiB %s", figures.peakPagefile / 1048576.0,
              "(PeakPagefileUsage of the wizard's process, psapi)");
    }
}

void ReportExeSize() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(WizardDriver::BuiltExe().c_str(), GetFileExInfoStandard, &data)) return;
    Print("exe size:                %8.0f bytes %s", static_cast<double>(data.nFileSizeLow),
          "(QelvanSetup.exe as built, statically linked)");
}
}  // namespace

int RunBenchmark() {
    InstallationCleanup cleanup;  // leaves the prefix as it found it
    ReportExeSize();
    ReportStarts();
    ReportInstalls();
    return 0;
}
