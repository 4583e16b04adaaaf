#pragma once
// Drives a running QelvanSetup.exe from a test, as a user would: starts it in a chosen working
// directory with a chosen Windows version, finds its windows by caption and its controls by id, clicks,
// selects, reads states, reads and answers its message boxes, and waits for it to end. After each
// action it posts WM_NULL to the wizard and waits until the wizard's thread has answered, so a state
// read afterwards is the state after the action.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/MessageBoxWatcher.h"

class WizardDriver {
public:
    WizardDriver() = default;
    ~WizardDriver();  // ends the wizard's process if it still runs
    WizardDriver(const WizardDriver&) = delete;
    WizardDriver& operator=(const WizardDriver&) = delete;

    // The Windows version Wine reports to programs of that file name ("win98", "winxp", ...; empty
    // removes the setting): HKCU\Software\Wine\AppDefaults\<exeName>, value Version.
    static bool SetWindowsVersion(const char* exeName, const char* version);
    // The built wizard: the medium directory of the build tree and the exe in it.
    static std::string BuiltMedium();
    static std::string BuiltExe();
    // Copies a directory tree (the exe and the medium, for a test that changes the medium).
    static bool CopyTree(const std::string& from, const std::string& to);

    // Starts exe with workingDir as its current directory. False when it cannot be started.
    bool Launch(const std::string& exe, const std::string& workingDir);
    // Drives the process that shows a top-level window with this caption, however it was started (the
    // removal window runs as a copy of itself); waits for the window. False after the time-out.
    bool Attach(const char* caption, DWORD timeoutMs = 20000);
    DWORD ProcessId() const { return processId_; }
    bool IsRunning() const;
    // Waits for the process to end; false on time-out. exitCode receives its exit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    void Kill();

    // A visible top-level window of the wizard's process with this caption; null after the time-out.
    HWND WaitForWindow(const char* caption, DWORD timeoutMs = 15000) const;
    HWND FindWindowOfProcess(const char* caption) const;
    // The first control with this id among the descendants of parent (pages are child dialogs).
    static HWND Control(HWND parent, int id);

    // Clicks a button and waits until the wizard has handled the click.
    void Click(HWND button);
    // Selects an entry of a drop-down list and tells its parent, as a user's selection does.
    void SelectComboItem(HWND combo, int index);
    // Sends a message to a window of the wizard without blocking on it, and waits until it has been
    // handled or has opened a modal window.
    void Post(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Waits until the wizard's thread that owns hwnd has handled every message posted before.
    bool Sync(HWND hwnd, DWORD timeoutMs = 10000) const;

    static bool IsEnabled(HWND control) { return IsWindowEnabled(control) != FALSE; }
    static bool IsVisible(HWND control) { return IsWindowVisible(control) != FALSE; }
    static int Check(HWND button);
    static std::string Text(HWND hwnd);

    // A message box of the wizard's process; null after the time-out.
    HWND WaitForMessageBox(ShownMessage& message, DWORD timeoutMs = 15000) const;
    // Every message box that appears until the process ends or the time-out passes, each answered.
    std::vector<ShownMessage> AnswerMessagesUntilExit(int answer, DWORD timeoutMs = 20000);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A top-level window of the test's own process with the given caption, destroyed with the object; it
// stands for another program's window (the uninstaller, the manual) that the wizard looks for.
class CaptionedWindow {
public:
    explicit CaptionedWindow(const char* caption, int show = SW_SHOWNORMAL);
    ~CaptionedWindow();
    CaptionedWindow(const CaptionedWindow&) = delete;
    CaptionedWindow& operator=(const CaptionedWindow&) = delete;
    HWND Handle() const { return hwnd_; }
    // Handles this thread's pending messages (the window belongs to the test's thread).
    void Pump() const;

private:
    HWND hwnd_ = nullptr;
};

// A dialog of the test's own process (the standard dialog class, as every program of the product has)
// with the given caption, destroyed with the object: it stands for the wizard's or the removal window's
// own dialog, where a CaptionedWindow stands for a window of another kind that only shares the caption.
class CaptionedDialog {
public:
    explicit CaptionedDialog(const char* caption);
    ~CaptionedDialog();
    CaptionedDialog(const CaptionedDialog&) = delete;
    CaptionedDialog& operator=(const CaptionedDialog&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};
