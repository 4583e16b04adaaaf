#pragma once
// The printer page: the catalogue's models grouped by printer category, one radio button and one
// drop-down list per category, and the option to make the new printer the default printer. The
// catalogue is read once, when the page's window is created; afterwards the page only follows the
// user. The page flow and the Install command read category, modelName, setAsDefault and hasModels.

#include "config/SetupConfig.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class PrinterPage : public CDialog {
public:
    explicit PrinterPage(UINT templateId);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The page never ends itself on IDOK or IDCANCEL.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT code, HWND control) override;

    char modelName[200];  // text of the chosen model, exactly as listed
    SetupConfig config;   // the page's own reader, used only for the catalogue
    int category;         // PrinterCategory of the chosen model; -1 when none is chosen
    CComboBox embeddedList;
    CComboBox receiptList;
    CComboBox ticketList;
    CComboBox labelList;
    int setAsDefault;  // check box: make the new printer the default printer
    int hasModels;     // 1 when at least one list holds a model

private:
    static constexpr int kCategoryCount = 4;
    // The list of a category 0..3.
    CComboBox& ListOf(int category);
    void FillLists();
    void DisableLists();
    void SelectDefaultModel(int defaultCategory, const char* defaultName);
    // modelName := the text of the list's selected entry; cleared when it has none.
    void TakeSelectedModel(int category);
    void OnCategoryClicked(int category);
};
