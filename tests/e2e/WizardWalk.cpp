#include "tests/e2e/WizardWalk.h"

#include "resources/ControlIds.h"
#include "resources/PageControlIds.h"

namespace {
const char kWizardCaption[] = "Qelvan";
const DWORD kReplyTimeoutMs = 10000;
const int kProgressBarId = 1079;    // the progress window's bar
const int kMessageIconId = 0x0440;  // the icon control of a message box (stc1), empty when it has none

// One control that only its page has, to tell which page is visible.
struct PageMark {
    WizardPage page;
    int controlId;
};
const PageMark kPageMarks[] = {
    {WizardPage::Licence, IDC_LICENSE_TEXT}, {WizardPage::Printer, IDC_RECEIPT_RADIO},
    {WizardPage::Mode, IDC_TYPICAL},         {WizardPage::System, IDC_WIN98ME},
    {WizardPage::Port, IDC_PORT_LIST},
};

const int kCategoryRadios[] = {IDC_RECEIPT_RADIO, IDC_TICKET_RADIO, IDC_LABEL_RADIO, IDC_EMBEDDED_RADIO};
const int kCategoryLists[] = {IDC_RECEIPT_LIST, IDC_TICKET_LIST, IDC_LABEL_LIST, IDC_EMBEDDED_LIST};

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, kReplyTimeoutMs, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}
}  // namespace

const char* PageName(WizardPage page) {
    switch (page) {
        case WizardPage::Licence:
            return "licence";
        case WizardPage::Printer:
            return "printer";
        case WizardPage::Mode:
            return "mode";
        case WizardPage::System:
            return "system";
        case WizardPage::Port:
            return "port";
        default:
            return "none";
    }
}

std::string WizardWalk::Start(const std::string& exe, const char* windowsVersion) {
    if (!WizardDriver::SetWindowsVersion("QelvanSetup.exe", windowsVersion))
        return "cannot set the Windows version";
    std::string directory = exe.substr(0, exe.find_last_of('\\'));
    DWORD start = GetTickCount();
    if (!driver_.Launch(exe, directory)) return "cannot start " + exe;
    frame_ = driver_.WaitForWindow(kWizardCaption, 30000);
    if (frame_ == nullptr) return "the wizard's window did not appear";
    if (VisiblePage() != WizardPage::Licence) return "the wizard did not open on the licence page";
    startMs_ = GetTickCount() - start;
    return "";
}

WizardPage WizardWalk::VisiblePage() const {
    if (frame_ == nullptr || !IsWindow(frame_)) return WizardPage::None;
    for (const PageMark& mark : kPageMarks) {
        HWND control = WizardDriver::Control(frame_, mark.controlId);
        if (control != nullptr && IsWindowVisible(control)) return mark.page;
    }
    return WizardPage::None;
}

std::string WizardWalk::Next(WizardPage expected) {
    driver_.Click(GetDlgItem(frame_, IDOK));
    WizardPage shown = VisiblePage();
    if (shown == expected) return "";
    std::string error = std::string("expected the ") + PageName(expected) + " page, the wizard shows the " +
                        PageName(shown) + " page";
    ShownMessage message;
    if (driver_.WaitForMessageBox(message, 0) != nullptr) error += "; message: " + message.text;
    return error;
}

std::string WizardWalk::AcceptLicence() {
    HWND accept = WizardDriver::Control(frame_, IDC_ACCEPT);
    if (accept == nullptr) return "the licence page has no accept button";
    driver_.Click(accept);
    return WizardDriver::IsEnabled(GetDlgItem(frame_, IDOK)) ? ""
                                                             : "accepting the licence left Next disabled";
}

std::string WizardWalk::ChoosePrinter(const PrinterChoice& choice) {
    if (choice.category < 0 || choice.category > 3) return "no such printer category";
    driver_.Click(WizardDriver::Control(frame_, kCategoryRadios[choice.category]));
    if (!choice.model.empty()) {
        std::string error =
            SelectComboText(WizardDriver::Control(frame_, kCategoryLists[choice.category]), choice.model);
        if (!error.empty()) return "printer page: " + error;
    }
    HWND makeDefault = WizardDriver::Control(frame_, IDC_SET_AS_DEFAULT);
    if ((WizardDriver::Check(makeDefault) == BST_CHECKED) != choice.setAsDefault) driver_.Click(makeDefault);
    return "";
}

std::string WizardWalk::ChooseMode(bool advanced) {
    HWND radio = WizardDriver::Control(frame_, advanced ? IDC_ADVANCED : IDC_TYPICAL);
    if (!WizardDriver::IsEnabled(radio)) return "the mode page does not offer this install mode";
    driver_.Click(radio);
    return "";
}

std::string WizardWalk::WalkToPortPage(const PrinterChoice& choice) {
    std::string error = AcceptLicence();
    if (error.empty()) error = Next(WizardPage::Printer);
    if (error.empty()) error = ChoosePrinter(choice);
    if (error.empty()) error = Next(WizardPage::Mode);
    if (error.empty()) error = ChooseMode(choice.advanced);
    if (error.empty()) error = Next(WizardPage::System);
    if (error.empty()) error = Next(WizardPage::Port);
    return error;
}

// Read as wide text and converted here: under Wine an ANSI CB_GETLBTEXT sent to another process
// comes back as wide characters.
std::vector<std::string> WizardWalk::ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_NORMAL,
                                 kReplyTimeoutMs, &length))
            break;
        std::wstring wide(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&wide[0]),
                            SMTO_NORMAL, kReplyTimeoutMs, &copied);
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
        entries.push_back(text);
    }
    return entries;
}

int WizardWalk::ComboSelection(HWND combo) {
    return static_cast<int>(Ask(combo, CB_GETCURSEL));
}

std::string WizardWalk::SelectComboText(HWND combo, const std::string& text) {
    if (combo == nullptr) return "no such list";
    std::vector<std::string> entries = ComboEntries(combo);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != text) continue;
        driver_.SelectComboItem(combo, static_cast<int>(i));
        return ComboSelection(combo) == static_cast<int>(i) ? "" : "\"" + text + "\" was not selected";
    }
    std::string all;
    for (const std::string& entry : entries) all += " [" + entry + "]";
    return "the list does not offer \"" + text + "\" but" + all;
}

std::vector<std::string> WizardWalk::PortEntries() const {
    return ComboEntries(WizardDriver::Control(frame_, IDC_PORT_LIST));
}

std::string WizardWalk::SelectedPort() const {
    HWND list = WizardDriver::Control(frame_, IDC_PORT_LIST);
    int selected = ComboSelection(list);
    std::vector<std::string> entries = ComboEntries(list);
    return selected >= 0 && selected < static_cast<int>(entries.size()) ? entries[selected] : "";
}

std::string WizardWalk::SelectPort(const std::string& port) {
    return SelectComboText(WizardDriver::Control(frame_, IDC_PORT_LIST), port);
}

std::string WizardWalk::SelectSerialSetting(int listId, const std::string& text) {
    return SelectComboText(WizardDriver::Control(frame_, listId), text);
}

void WizardWalk::PressInstall() {
    driver_.Click(GetDlgItem(frame_, IDOK));
}

void WizardWalk::PressInstallWithoutWaiting() {
    SendNotifyMessageA(GetDlgItem(frame_, IDOK), BM_CLICK, 0, 0);
}

namespace {
struct ProgressSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProgressWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ProgressSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || !IsWindowVisible(hwnd) || GetDlgItem(hwnd, kProgressBarId) == nullptr)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

HWND WizardWalk::WaitForProgressWindow(DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    for (;;) {
        ProgressSearch search{driver_.ProcessId(), nullptr};
        EnumWindows(FindProgressWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        if (GetTickCount() - start > timeoutMs || !driver_.IsRunning()) return nullptr;
        Sleep(2);  // finely enough for the benchmark's figure of the time to the window
    }
}

bool WizardWalk::AnswerNextMessage(const MessageAnswer& answer, ShownMessage& shown, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = driver_.FindWindowOfProcess(nullptr);
        bool seen = false;
        for (HWND old : answered_) seen = seen || old == box;
        if (box != nullptr && !seen && ReadMessageBox(box, shown)) {
            answered_.push_back(box);
            HWND icon = GetDlgItem(box, kMessageIconId);
            icons_.push_back(icon != nullptr && Ask(icon, STM_GETICON) > 0);
            AnswerMessageBox(box, answer(shown));
            // The box's loop may wait for one more posted message before it ends (seen under Wine).
            PostMessageA(box, WM_NULL, 0, 0);
            if (IsWindow(frame_)) driver_.Sync(frame_, 2000);
            return true;
        }
        if (GetTickCount() - start > timeoutMs || !driver_.IsRunning()) return false;
        Sleep(20);
    }
}

bool WizardWalk::AnswerUntilExit(const MessageAnswer& answer, std::vector<ShownMessage>& shown,
                                 DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (driver_.IsRunning()) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed > timeoutMs) return false;
        ShownMessage message;
        if (AnswerNextMessage(answer, message, timeoutMs - elapsed)) shown.push_back(message);
    }
    return true;
}
