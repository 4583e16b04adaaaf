#include "tests/pages/PageTestSupport.h"

#include "framework/Controls.h"
#include "pages/PortPage.h"
#include "resources/PageControlIds.h"
#include "tests/support/TestSupport.h"

PageHost::PageHost() {
    m_hWnd = CreateWindowExA(0, "STATIC", "Qelvan page test", WS_POPUP, 0, 0, 480, 460, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    // Shown without activation: Wine treats an activated top-level window as one a window manager
    // owns and, without one under Xvfb, waits two seconds for it when the window goes.
    if (m_hWnd != nullptr)
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

PageHost::~PageHost() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool PageHost::Open(CDialog& page) {
    if (m_hWnd == nullptr || !page.Create(page.TemplateId(), this)) return false;
    page.ShowWindow(SW_SHOW);
    return true;
}

void SelectEntry(CDialog& page, int listId, int index) {
    HWND list = page.GetDlgItem(listId);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void ClickButton(CDialog& page, int buttonId) {
    SendMessageA(page.GetDlgItem(buttonId), BM_CLICK, 0, 0);
}

std::vector<std::string> ListTexts(CDialog& page, int listId) {
    HWND list = page.GetDlgItem(listId);
    std::vector<std::string> texts;
    int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        std::string text(static_cast<size_t>(SendMessageA(list, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        texts.push_back(text.c_str());
    }
    return texts;
}

int SelectedIndex(CDialog& page, int listId) {
    return static_cast<int>(page.SendDlgItemMessage(listId, CB_GETCURSEL));
}

std::string SelectedText(CDialog& page, int listId) {
    int index = SelectedIndex(page, listId);
    if (index < 0) return "";
    return ListTexts(page, listId)[static_cast<size_t>(index)];
}

bool IsEnabled(CDialog& page, int id) {
    return IsWindowEnabled(page.GetDlgItem(id)) != FALSE;
}

bool IsShown(CDialog& page, int id) {
    return IsWindowVisible(page.GetDlgItem(id)) != FALSE;
}

bool IsChecked(CDialog& page, int id) {
    return page.IsDlgButtonChecked(id) == BST_CHECKED;
}

std::string ControlText(CDialog& page, int id) {
    char text[512] = {};
    GetDlgItemTextA(page.m_hWnd, id, text, sizeof text);
    return text;
}

int SerialListsEnabled(PortPage& page) {
    const int lists[] = {IDC_BAUD_RATE, IDC_DATA_BITS, IDC_PARITY, IDC_STOP_BITS, IDC_FLOW_CONTROL};
    int enabled = 0;
    for (int id : lists) enabled += IsEnabled(page, id) ? 1 : 0;
    return enabled == 5 ? 1 : (enabled == 0 ? 0 : -1);
}

ProgramConfig::ProgramConfig(const std::string& name, const std::string& text)
    : path_(ExeDir() + "DRVCONFIG\\" + name) {
    WriteTextFile(path_, text);
}

ProgramConfig::~ProgramConfig() {
    DeleteFileA(path_.c_str());
    // Only when empty: other files of the directory are not this test's.
    RemoveDirectoryA((ExeDir() + "DRVCONFIG").c_str());
}
