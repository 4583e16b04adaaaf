#include "app/WizardDialog.h"

#include <shellapi.h>

#include "common/BoundedText.h"
#include "common/TillLog.h"
#include "framework/BitmapPainting.h"
#include "framework/DataExchange.h"
#include "framework/MessageBoxes.h"
#include "pages/LicensePage.h"
#include "pages/SystemPage.h"
#include "resources/ControlIds.h"
#include "resources/ResourceIds.h"

namespace {
const char kBannerFile[] = "DRVCONFIG\\Left.bmp";
const char kManualFile[] = ".\\Guide.CHM";
// The manual's window caption, found to bring an open manual to the top instead of opening another.
const char kManualCaption[] = "Mendral";

// The banner is loaded once and kept for every later paint until the process ends.
HBITMAP bannerBitmap = nullptr;
}  // namespace

WizardDialog::WizardDialog() : CDialog(IDD_WIZARD), icon_(LoadProgramIcon(IDI_PROGRAM)) {}

WizardDialog::~WizardDialog() = default;

void WizardDialog::AddPage(const char* title, CDialog* page, UINT templateId) {
    pages_.push_back(page);
    titles_.push_back(title ? title : "");
    templateIds_.push_back(templateId);
}

bool WizardDialog::LeaveCurrentPage() {
    if (currentPage_ < 0) return true;
    CDialog* page = GetPage(currentPage_);
    if (!page->UpdateData(TRUE)) return false;
    page->ShowWindow(SW_HIDE);
    return true;
}

void WizardDialog::ShowPage(int index) {
    currentPage_ = index;
    GetPage(index)->ShowWindow(SW_SHOW);
}

void WizardDialog::DestroyPages() {
    for (int i = 0; i < PageCount(); ++i) GetPage(i)->DestroyWindow();
}

BOOL WizardDialog::DestroyWindow() {
    ClearPageTable();
    return CDialog::DestroyWindow();
}

void WizardDialog::ClearPageTable() {
    pages_.clear();
    titles_.clear();
    templateIds_.clear();
}

void WizardDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BANNER, banner_);
    DDX_Control(dx, IDC_PAGE_AREA, pageArea_);
}

BOOL WizardDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutEntry();
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)icon_);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)icon_);
    CreateStartPages();
    SetButtonCaptions();
    if (!LoadBanner()) {
        char text[200];
        LoadResourceText(IDS_NO_BANNER, text);
        ShowWindowMessage(m_hWnd, text);
        OnCancel();
        return FALSE;
    }
    return TRUE;
}

void WizardDialog::AddAboutEntry() {
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr) return;
    char text[200];
    LoadResourceText(IDS_ABOUT_MENU, text);
    if (text[0] == '\0') return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

// The start creates only the windows of the pages the user meets at once: the first page, and the
// system page, whose initialisation tells the user straight away when the running system is not
// supported. Every other page gets its window when the user first moves towards it (SetActivePage):
// each drop-down list of the printer and port pages is a window of its own on the display, and ten of
// them made up most of the start's time.
void WizardDialog::CreateStartPages() {
    if (pages_.empty()) return;
    CreatePageWindow(0);
    if (PageAt<SystemPage>(kSystemPage) != nullptr) CreatePageWindow(kSystemPage);
    SetActivePage(0);
}

void WizardDialog::CreatePageWindow(int index) {
    CDialog* page = GetPage(index);
    if (page->m_hWnd != nullptr) return;
    RECT area;
    pageArea_.GetWindowRect(&area);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    page->Create(templateIds_[static_cast<size_t>(index)], this);
    SetWindowPos(page->m_hWnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void WizardDialog::CreatePageWindowsUpTo(int index) {
    for (int i = 0; i <= index && i < PageCount(); ++i) CreatePageWindow(i);
}

void WizardDialog::SetButtonCaptions() {
    SetDlgItemText(IDC_BACK, ResourceText(IDS_BACK_BUTTON).c_str());
    SetDlgItemText(IDOK, ResourceText(PageCount() > 1 ? IDS_NEXT_BUTTON : IDS_INSTALL_BUTTON).c_str());
    SetDlgItemText(IDCANCEL, ResourceText(IDS_CANCEL_BUTTON).c_str());
}

bool WizardDialog::LoadBanner() {
    // Relative to the current directory. The name is made absolute first: a relative name would let
    // the image loader search the program's directory too, where the banner must not be taken from.
    char path[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof path, path);
    if (length == 0 || length >= sizeof path) return false;
    if (path[length - 1] != '\\' && !AppendText(path, "\\")) return false;
    if (!AppendText(path, kBannerFile)) return false;
    // At the image's own size; kept for the whole run.
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (loaded == nullptr) return false;
    if (bannerBitmap != nullptr) DeleteObject(bannerBitmap);
    bannerBitmap = loaded;
    return true;
}

void WizardDialog::OnCancel() {
    LogCancel();
    CDialog::OnCancel();
}

bool WizardDialog::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case IDC_BACK:
            if (code != BN_CLICKED) return false;
            OnBack();
            return true;
        default:
            return CDialog::OnCommand(id, code, control);
    }
}

LRESULT WizardDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_);
        case WM_HELP:
            OnHelpInfo();
            return TRUE;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam) ? TRUE : FALSE;
        case WM_DESTROY:
            // The end of a modal run destroys the window without DestroyWindow: empty the table here too.
            ClearPageTable();
            return FALSE;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
}

void WizardDialog::OnPaint() {
    if (IsIconic())
        PaintMinimisedIcon();
    else
        PaintBanner();
}

void WizardDialog::PaintMinimisedIcon() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(m_hWnd, &paint);
}

void WizardDialog::PaintBanner() {
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    StretchBitmapOnto(banner_.m_hWnd, bannerBitmap);
    EndPaint(m_hWnd, &paint);
}

void WizardDialog::OnHelpInfo() {
    HWND manual = FindWindowA(nullptr, kManualCaption);
    if (manual != nullptr) {
        BringWindowToTop(manual);
        OpenIcon(manual);
        return;
    }
    // A missing manual is not reported.
    ShellExecuteA(m_hWnd, "open", kManualFile, nullptr, nullptr, SW_SHOW);
}

bool WizardDialog::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    AboutDialog about(this);
    about.DoModal();
    return true;
}

AboutDialog::AboutDialog(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}

void WizardDialog::LogCancel() {
    CDialog* licence = PageAt<LicensePage>(kLicensePage);
    if (currentPage_ == kLicensePage && licence != nullptr && licence->m_hWnd != nullptr &&
        licence->IsDlgButtonChecked(IDC_DECLINE) == BST_CHECKED) {
        TillLogResource(IDS_LOG_LICENCE_DECLINED);
        return;
    }
    if (currentPage_ >= 0 && currentPage_ < PageCount())
        TillLogResource(IDS_LOG_CANCELLED, PageTitle(currentPage_).c_str());
}
