#pragma once
// Walks the running wizard through its five pages as a user would, for the end-to-end tests and the
// demo walker: accept the licence, choose a printer, the install mode, confirm the system, choose the
// port and its serial settings, press Install and answer the messages that follow. Every step reports
// failure with a short description of what was not as expected, so the caller can say where the walk
// stopped.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/WizardDriver.h"

// The wizard's pages in the order the user walks through them.
enum class WizardPage { None, Licence, Printer, Mode, System, Port };
const char* PageName(WizardPage page);

// What the user chooses on the printer and mode pages.
struct PrinterChoice {
    int category = 0;           // PrinterCategory: the radio button and list of that category
    std::string model;          // the model as the list shows it; empty keeps the preselected one
    bool setAsDefault = false;  // the "default printer" check box
    bool advanced = false;      // the advanced install mode instead of the typical one
};

// The answer to one message box, chosen from what it says.
typedef std::function<int(const ShownMessage&)> MessageAnswer;

class WizardWalk {
public:
    WizardWalk() = default;
    WizardWalk(const WizardWalk&) = delete;
    WizardWalk& operator=(const WizardWalk&) = delete;

    // Starts the exe from its own directory with the Windows version it is to see ("win98", "nt40",
    // "win2k", "winxp", "win2003", "vista") and waits for the licence page. Empty error on success.
    std::string Start(const std::string& exe, const char* windowsVersion);
    WizardDriver& Driver() { return driver_; }
    HWND Frame() const { return frame_; }
    // The milliseconds from the process start to the licence page shown (after Start).
    DWORD StartMilliseconds() const { return startMs_; }

    // The page whose window is visible now.
    WizardPage VisiblePage() const;
    // Accepts the licence (the Next button follows it).
    std::string AcceptLicence();
    // Chooses the printer category, the model and the default-printer option.
    std::string ChoosePrinter(const PrinterChoice& choice);
    // Chooses the install mode.
    std::string ChooseMode(bool advanced);
    // Presses Next and checks that the expected page follows (the wizard queries the USB printer on
    // the way to the port page).
    std::string Next(WizardPage expected);
    // All of the above from the licence page to the port page.
    std::string WalkToPortPage(const PrinterChoice& choice);

    // The port page's port list: its entries, and the selected one.
    std::vector<std::string> PortEntries() const;
    std::string SelectedPort() const;
    // Selects the port list's entry with this text, as a user's selection does.
    std::string SelectPort(const std::string& port);
    // Selects the entry with this text in one of the port page's serial lists (control id).
    std::string SelectSerialSetting(int listId, const std::string& text);

    // Presses Install (the Next button on the port page); returns once the wizard has taken the click,
    // which is when a message box or the progress window is open.
    void PressInstall();
    // Presses Install and returns at once, so the progress window can be watched while it runs.
    void PressInstallWithoutWaiting();
    // The progress window once it is shown; null after the time-out.
    HWND WaitForProgressWindow(DWORD timeoutMs) const;
    // Answers every message box until the wizard ends; false on time-out.
    bool AnswerUntilExit(const MessageAnswer& answer, std::vector<ShownMessage>& shown, DWORD timeoutMs);
    // Waits for the next message box, records and answers it. False when none came in time.
    bool AnswerNextMessage(const MessageAnswer& answer, ShownMessage& shown, DWORD timeoutMs = 15000);

    // For each message box answered so far, in order: whether it showed an icon (the application's
    // message boxes carry the exclamation icon, the wizard window's boxes none).
    const std::vector<bool>& MessageIcons() const { return icons_; }

    // The entries of a drop-down list of the wizard, and its selected entry's index.
    static std::vector<std::string> ComboEntries(HWND combo);
    static int ComboSelection(HWND combo);

private:
    std::string SelectComboText(HWND combo, const std::string& text);

    WizardDriver driver_;
    HWND frame_ = nullptr;
    DWORD startMs_ = 0;
    std::vector<HWND> answered_;
    std::vector<bool> icons_;
};
