#pragma once
// The modal frame of the wizard: the banner on the left, the page area on the right with exactly one
// page visible, and the Back, Next/Install and Cancel buttons. It owns the page table and the current
// page index, creates the pages' windows (a page's window when the page is first needed), and holds
// the record of the user's choices.

#include <string>
#include <vector>

#include "choices/InstallChoices.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class WizardDialog : public CDialog {
public:
    WizardDialog();
    ~WizardDialog() override;

    // Appends a page; the index of an entry is its registration order. The frame does not own page.
    void AddPage(const char* title, CDialog* page, UINT templateId);
    // The page at index, 0 .. PageCount() - 1.
    CDialog* GetPage(int index) const { return pages_[static_cast<size_t>(index)]; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    int CurrentPage() const { return currentPage_; }
    const std::string& PageTitle(int index) const { return titles_[static_cast<size_t>(index)]; }
    // Leaves the current page and shows the page at index; a refused move keeps the current page.
    virtual void SetActivePage(int index);
    // Destroys the window of every registered page.
    void DestroyPages();

    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Next on every page but the last; Install on the last.
    void OnOK() override;
    // Ends the wizard with IDCANCEL without a question: Cancel, Esc and the close box come here.
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    InstallChoices choices;

    // The page indexes of the wizard's five pages, in the order the user walks through them.
    enum PageIndex { kLicensePage = 0, kPrinterPage = 1, kModePage = 2, kSystemPage = 3, kPortPage = 4 };

protected:
    // Saves and hides the current page; false when its data cannot be saved (the page stays).
    bool LeaveCurrentPage();
    // Makes index the current page and shows it.
    void ShowPage(int index);
    // The Install command on the last page.
    virtual void Install();
    void OnBack();

    // The page registered at index as its own class; null when there is none or it is another page.
    template <typename Page>
    Page* PageAt(int index) const {
        return index >= 0 && index < PageCount() ? dynamic_cast<Page*>(GetPage(index)) : nullptr;
    }

private:
    // The page flow's checks and preparations (PageFlow.cpp).
    bool CheckLeavingForward();
    void LeavePrinterPage();
    bool LeaveSystemPage();
    void PresetBaudRate();
    void PrepareLastPage();
    // The Install command's steps (InstallCommand.cpp).
    bool CollectAndValidate();
    bool ApplyUsbRules();
    bool CheckUsbPrinter();
    // True when the engine succeeded.
    bool RunEngine();
    void ReportResult();

    void ClearPageTable();
    void AddAboutEntry();
    void CreateStartPages();
    // Creates the page's window in the page area unless it has one; the page's own initialisation
    // runs here.
    void CreatePageWindow(int index);
    // Creates the windows of the pages up to index that have none yet, in index order.
    void CreatePageWindowsUpTo(int index);
    void SetButtonCaptions();
    bool LoadBanner();
    void OnPaint();
    void PaintMinimisedIcon();
    void PaintBanner();
    void OnHelpInfo();
    // The till's log: the licence declined, or the page the user cancelled on.
    void LogCancel();
    bool OnSysCommand(WPARAM command);

    std::vector<CDialog*> pages_;
    std::vector<std::string> titles_;
    std::vector<UINT> templateIds_;
    int currentPage_ = -1;
    CStatic banner_;
    CStatic pageArea_;
    HICON icon_;
};

// The About box of the wizard's system menu (template 100).
class AboutDialog : public CDialog {
public:
    explicit AboutDialog(CWnd* parent = nullptr);
};
