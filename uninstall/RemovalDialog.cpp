#include "uninstall/RemovalDialog.h"

#include <commctrl.h>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "common/TillLog.h"
#include "config/ConfigValues.h"
#include "framework/BitmapPainting.h"
#include "framework/MessageBoxes.h"
#include "removal/FolderRemoval.h"
#include "removal/ProgramEntry.h"
#include "removal/RemovalRules.h"
#include "removal/RemovalTextIds.h"
#include "resources/ResourceIds.h"
#include "uninstall/RemovalIds.h"

namespace {
const char kBannerFile[] = "DRVCONFIG\\Left.bmp";
}  // namespace

RemovalDialog::RemovalDialog(TargetSystem system) : CDialog(IDD_REMOVAL), system_(system) {}

BOOL RemovalDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    icon_ = LoadProgramIcon(IDI_PROGRAM);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    // The banner of the configuration files kept beside the program, as the wizard shows it.
    char path[kConfigPathSize];
    if (GetProgramDirectory(path) && AppendText(path, kBannerFile))
        banner_ = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    CheckDlgButton(m_hWnd, IDC_REMOVAL_ORPHANS, BST_CHECKED);
    names_ = ReadMediumNames(system_);
    ListPrinters();
    return TRUE;
}

void RemovalDialog::ListPrinters() {
    std::vector<SystemPrinter> all;
    DWORD error = 0;
    if (!ReadSystemPrinters(all, error)) {
        char text[100];
        FormatResourceText(text, IDS_REMOVAL_LIST_FAILED, static_cast<unsigned long>(error));
        SetStatus(text);
        return;
    }
    printers_ = MediumPrinters(all, names_);
    int rows =
        static_cast<int>(printers_.size()) < kRemovalRows ? static_cast<int>(printers_.size()) : kRemovalRows;
    for (int row = 0; row < rows; ++row) {
        const SystemPrinter& printer = printers_[row];
        std::string text = FormatResource(IDS_DROVIX_PRINTER_ROW, printer.name.c_str(), printer.port.c_str(),
                                          printer.driver.c_str());
        HWND box = GetDlgItem(IDC_REMOVAL_FIRST_PRINTER + row);
        ::SetWindowTextA(box, text.c_str());
        ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
        ::ShowWindow(box, SW_SHOW);
    }
    printers_.resize(rows);
    if (all.empty() || rows == 0) SetStatus(ResourceText(IDS_DROVIX_NO_PRINTERS).c_str());
    int more = static_cast<int>(MediumPrinters(all, names_).size()) - rows;
    if (more > 0) {
        FormatResourceText(unlisted_, IDS_DROVIX_UNLISTED, more);
        SetStatus(unlisted_);
    }
}

void RemovalDialog::SetStatus(const char* text) {
    SetDlgItemText(IDC_REMOVAL_STATUS, text);
    ::UpdateWindow(GetDlgItem(IDC_REMOVAL_STATUS));
}

void RemovalDialog::OnOK() {
    // Enter comes here too; after a removal the Remove button is disabled and the outcome stays shown.
    if (!::IsWindowEnabled(GetDlgItem(IDOK))) return;
    std::vector<SystemPrinter> chosen;
    for (size_t row = 0; row < printers_.size(); ++row) {
        if (IsDlgButtonChecked(IDC_REMOVAL_FIRST_PRINTER + static_cast<int>(row)) == BST_CHECKED)
            chosen.push_back(printers_[row]);
    }
    bool orphans = IsDlgButtonChecked(IDC_REMOVAL_ORPHANS) == BST_CHECKED;
    if (chosen.empty() && !orphans) {
        ShowAppMessage(ResourceText(IDS_DROVIX_NOTHING_CHOSEN).c_str());
        return;
    }
    if (ShowAppMessage(ResourceText(IDS_DROVIX_CONFIRM).c_str(), MB_YESNO) != IDYES) return;

    for (int id : {IDOK, IDCANCEL, IDC_REMOVAL_ORPHANS}) ::EnableWindow(GetDlgItem(id), FALSE);
    for (int row = 0; row < kRemovalRows; ++row)
        ::EnableWindow(GetDlgItem(IDC_REMOVAL_FIRST_PRINTER + row), FALSE);
    HWND progress = GetDlgItem(IDC_REMOVAL_PROGRESS);
    ::SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, chosen.size() + 1));
    // Each item once, with its last outcome: a monitor kept while the next ticked printer used it is
    // removed with that printer.
    std::vector<RemovalItem> items;
    RemovalReport collect = [&](const RemovalItem& item) {
        for (RemovalItem& said : items) {
            if (said.kind == item.kind && lstrcmpiA(said.name.c_str(), item.name.c_str()) == 0) {
                said = item;
                return;
            }
        }
        items.push_back(item);
    };
    RemovalScope scope = {orphans, orphans};
    for (size_t index = 0; index < chosen.size(); ++index) {
        std::string text = FormatResource(IDS_DROVIX_REMOVING_PRINTER, chosen[index].name.c_str());
        SetStatus(text.c_str());
        RemovePrinterAndOrphans(chosen[index], scope, names_, system_, collect);
        ::SendMessageA(progress, PBM_SETPOS, index + 1, 0);
    }
    if (orphans) {
        SetStatus(ResourceText(IDS_DROVIX_REMOVING_ORPHANS).c_str());
        RemoveOrphans(scope, names_, system_, collect);
    }
    {
        // The window reads its configuration in the folder: it steps out for the folder to go.
        OutsideProgramFolder outside;
        RemoveEntryWhenNothingLeft(names_, system_, collect);
    }
    ::SendMessageA(progress, PBM_SETPOS, chosen.size() + 1, 0);
    std::vector<std::string> lines;
    int failures = 0;
    for (const RemovalItem& item : items) {
        if (item.result == RemovalResult::Failed) ++failures;
        lines.push_back(DescribeRemoval(item));
        TillLogLine(lines.back());
    }
    ShowResults(lines, failures);
}

void RemovalDialog::ShowResults(const std::vector<std::string>& lines, int failures) {
    for (int row = 0; row < kRemovalRows; ++row)
        ::ShowWindow(GetDlgItem(IDC_REMOVAL_FIRST_PRINTER + row), SW_HIDE);
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    SetDlgItemText(IDC_REMOVAL_RESULTS, text.c_str());
    ::ShowWindow(GetDlgItem(IDC_REMOVAL_RESULTS), SW_SHOW);
    char outcome[100];
    if (failures == 0)
        LoadResourceText(IDS_DROVIX_DONE, outcome);
    else
        FormatResourceText(outcome, IDS_DROVIX_DONE_WITH_FAILURES, failures);
    SetDlgItemText(IDC_REMOVAL_INTRO, outcome);
    TillLogLine(outcome);
    // The printers not listed are still there: their line stays.
    SetStatus(unlisted_);
    ::EnableWindow(GetDlgItem(IDCANCEL), TRUE);
    GotoDlgCtrl(GetDlgItem(IDCANCEL));
}

LRESULT RemovalDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintBanner();
            return FALSE;
        case WM_DESTROY:
            if (banner_ != nullptr) DeleteObject(banner_);
            banner_ = nullptr;
            return FALSE;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
}

// The banner stretched onto its frame, as the wizard paints it.
void RemovalDialog::PaintBanner() {
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    StretchBitmapOnto(GetDlgItem(IDC_REMOVAL_BANNER), banner_);
    EndPaint(m_hWnd, &paint);
}
