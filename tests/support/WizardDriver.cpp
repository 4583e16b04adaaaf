#include "tests/support/WizardDriver.h"

#include <vector>

#include "tests/support/TestSupport.h"

namespace {
const int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

struct WindowSearch {
    DWORD process;
    const char* caption;  // null: any message box
    HWND found;
};

bool IsMessageBox(HWND hwnd) {
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof className);
    return strcmp(className, "#32770") == 0 && GetDlgItem(hwnd, kMessageTextId) != nullptr;
}

BOOL CALLBACK FindInProcess(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || !IsWindowVisible(hwnd)) return TRUE;
    if (search->caption == nullptr) {
        if (!IsMessageBox(hwnd)) return TRUE;
    } else {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        if (strcmp(text, search->caption) != 0) return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

WizardDriver::~WizardDriver() {
    Kill();
    if (process_ != nullptr) CloseHandle(process_);
}

bool WizardDriver::SetWindowsVersion(const char* exeName, const char* version) {
    std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = (version == nullptr || version[0] == '\0')
                      ? RegDeleteValueA(key, "Version")
                      : RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                       static_cast<DWORD>(strlen(version) + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::string WizardDriver::BuiltMedium() {
    return MediumDir();
}
std::string WizardDriver::BuiltExe() {
    return MediumDir() + "\\QelvanSetup.exe";
}

bool WizardDriver::CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool copied = true;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == ".." || name == "CMakeFiles") continue;
        std::string source = from + "\\" + name, target = to + "\\" + name;
        // A link is never followed: under Wine one may lead to the machine's own folders.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(source, target) && copied;
        else
            copied = CopyFileA(source.c_str(), target.c_str(), FALSE) && copied;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return copied;
}

bool WizardDriver::Launch(const std::string& exe, const std::string& workingDir) {
    if (process_ != nullptr) return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workingDir.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

bool WizardDriver::Attach(const char* caption, DWORD timeoutMs) {
    if (process_ != nullptr) return false;
    HWND window = nullptr;
    for (DWORD start = GetTickCount(); window == nullptr && GetTickCount() - start < timeoutMs; Sleep(20))
        window = FindWindowA(nullptr, caption);
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) return false;
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    processId_ = process_ != nullptr ? processId : 0;
    return process_ != nullptr && WaitForWindow(caption) != nullptr;
}

bool WizardDriver::IsRunning() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool WizardDriver::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (process_ == nullptr) return true;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode != nullptr) GetExitCodeProcess(process_, exitCode);
    return true;
}

void WizardDriver::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

HWND WizardDriver::FindWindowOfProcess(const char* caption) const {
    WindowSearch search{processId_, caption, nullptr};
    EnumWindows(FindInProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WizardDriver::WaitForWindow(const char* caption, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowOfProcess(caption);
        if (found != nullptr) {
            // A new window is activated by events of the X server that arrive later; a click before
            // then can be cancelled by the activation (its mouse capture is taken away).
            for (DWORD settle = GetTickCount();
                 GetForegroundWindow() != found && GetTickCount() - settle < 3000;)
                Sleep(20);
            Sync(found);
            return found;
        }
        if (GetTickCount() - start > timeoutMs || !IsRunning()) return nullptr;
        Sleep(20);
    }
}

HWND WizardDriver::Control(HWND parent, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(parent, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WizardDriver::Sync(HWND hwnd, DWORD timeoutMs) const {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer) != 0;
}

void WizardDriver::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Sent without waiting rather than posted: the wizard handles sent messages in the order they
    // come, so the WM_NULL sent below returns only after this one has been handled (a posted message
    // would still wait behind it). When the message opens a modal window, the WM_NULL is answered by
    // that window's loop.
    SendNotifyMessageA(hwnd, message, wParam, lParam);
    Sync(hwnd);
    // A closing dialog may wait for the next posted message before it goes (seen under Wine).
    HWND top = GetAncestor(hwnd, GA_ROOT);
    if (top == nullptr) top = hwnd;
    PostMessageA(top, WM_NULL, 0, 0);
    Sync(top);
}

void WizardDriver::Click(HWND button) {
    Post(button, BM_CLICK);
}

void WizardDriver::SelectComboItem(HWND combo, int index) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 10000, &answer);
    Post(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo));
}

int WizardDriver::Check(HWND button) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, 10000, &answer);
    return static_cast<int>(answer);
}

std::string WizardDriver::Text(HWND hwnd) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 10000,
                        &copied);
    text.resize(strlen(text.c_str()));
    return text;
}

HWND WizardDriver::WaitForMessageBox(ShownMessage& message, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = FindWindowOfProcess(nullptr);
        if (box != nullptr && ReadMessageBox(box, message)) return box;
        if (GetTickCount() - start > timeoutMs || !IsRunning()) return nullptr;
        Sleep(20);
    }
}

std::vector<ShownMessage> WizardDriver::AnswerMessagesUntilExit(int answer, DWORD timeoutMs) {
    std::vector<ShownMessage> shown;
    std::vector<HWND> answered;
    DWORD start = GetTickCount();
    while (IsRunning() && GetTickCount() - start <= timeoutMs) {
        HWND box = FindWindowOfProcess(nullptr);
        bool seen = false;
        for (HWND old : answered) seen = seen || old == box;
        ShownMessage message;
        if (box != nullptr && !seen && ReadMessageBox(box, message)) {
            shown.push_back(message);
            answered.push_back(box);
            AnswerMessageBox(box, answer);
            PostMessageA(box, WM_NULL, 0, 0);
        }
        Sleep(20);
    }
    return shown;
}

namespace {
const char kStandInClass[] = "QelvanTestStandIn";

ATOM RegisterStandInClass() {
    static ATOM atom = 0;
    if (atom != 0) return atom;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kStandInClass;
    atom = RegisterClassA(&windowClass);
    return atom;
}
}  // namespace

CaptionedWindow::CaptionedWindow(const char* caption, int show) {
    RegisterStandInClass();
    hwnd_ = CreateWindowExA(0, kStandInClass, caption, WS_OVERLAPPEDWINDOW, 20, 20, 300, 200, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ != nullptr) ShowWindow(hwnd_, show);
    Pump();
}

CaptionedWindow::~CaptionedWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void CaptionedWindow::Pump() const {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
}  // namespace

CaptionedDialog::CaptionedDialog(const char* caption) {
    // An in-memory template: the header, empty menu and class, the caption in UTF-16, no controls.
    std::vector<WORD> buffer(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3 + 64, 0);
    DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    dialog->cx = 150;
    dialog->cy = 60;
    WORD* after = buffer.data() + sizeof(DLGTEMPLATE) / sizeof(WORD);
    after[0] = 0;  // no menu
    after[1] = 0;  // the standard dialog class
    MultiByteToWideChar(CP_ACP, 0, caption, -1, reinterpret_cast<wchar_t*>(after + 2), 60);
    hwnd_ = CreateDialogIndirectA(GetModuleHandleA(nullptr), dialog, nullptr, PassiveDialogProc);
}

CaptionedDialog::~CaptionedDialog() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}
