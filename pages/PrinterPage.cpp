#include "pages/PrinterPage.h"

#include <cstring>

#include "common/BoundedText.h"
#include "framework/DataExchange.h"
#include "resources/PageControlIds.h"

namespace {
// Radio button and list of each PrinterCategory, indexed by its value.
const int kRadioIds[] = {IDC_RECEIPT_RADIO, IDC_TICKET_RADIO, IDC_LABEL_RADIO, IDC_EMBEDDED_RADIO};
const int kListIds[] = {IDC_RECEIPT_LIST, IDC_TICKET_LIST, IDC_LABEL_LIST, IDC_EMBEDDED_LIST};
// The catalogue readers give at most 259 characters for the default entry.
constexpr size_t kEntrySize = 260;

int CategoryOfControl(UINT id, const int (&ids)[4]) {
    for (int category = 0; category < 4; ++category)
        if (ids[category] == static_cast<int>(id)) return category;
    return -1;
}
}  // namespace

PrinterPage::PrinterPage(UINT templateId)
    : CDialog(templateId), modelName(), category(Receipt), setAsDefault(0), hasModels(0) {}

void PrinterPage::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_EMBEDDED_LIST, embeddedList);
    DDX_Control(dx, IDC_RECEIPT_LIST, receiptList);
    DDX_Control(dx, IDC_TICKET_LIST, ticketList);
    DDX_Control(dx, IDC_LABEL_LIST, labelList);
    DDX_Check(dx, IDC_SET_AS_DEFAULT, setAsDefault);
}

CComboBox& PrinterPage::ListOf(int category) {
    switch (category) {
        case Ticket:
            return ticketList;
        case Label:
            return labelList;
        case Embedded:
            return embeddedList;
        default:
            return receiptList;
    }
}

BOOL PrinterPage::OnInitDialog() {
    CDialog::OnInitDialog();
    FillLists();
    char defaultName[kEntrySize] = {};
    int defaultCategory = config.GetDefaultDevice(defaultName);
    if (defaultCategory >= Receipt && defaultCategory <= Embedded)
        SelectDefaultModel(defaultCategory, defaultName);
    category = defaultCategory;
    return TRUE;
}

void PrinterPage::FillLists() {
    int count = CatalogueEntriesToRead(config.GetDeviceCount());
    hasModels = 1;
    char name[kEntrySize];
    for (int entry = 1; entry <= count; ++entry) {
        name[0] = '\0';
        int entryCategory = config.GetDeviceName(entry, name);
        if (entryCategory >= Receipt && entryCategory <= Embedded) ListOf(entryCategory).AddString(name);
    }
    for (int c = 0; c < kCategoryCount; ++c) ListOf(c).SetCurSel(0);
    DisableLists();
    int filled = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (ListOf(c).GetCount() == 0)
            ::EnableWindow(GetDlgItem(kRadioIds[c]), FALSE);
        else
            ++filled;
    }
    if (filled == 0) hasModels = 0;
}

void PrinterPage::DisableLists() {
    for (int c = 0; c < kCategoryCount; ++c) ListOf(c).EnableWindow(FALSE);
}

void PrinterPage::SelectDefaultModel(int defaultCategory, const char* defaultName) {
    CheckRadioButton(IDC_RECEIPT_RADIO, IDC_EMBEDDED_RADIO, kRadioIds[defaultCategory]);
    CComboBox& list = ListOf(defaultCategory);
    // A prefix search without regard to case that starts after the first entry and wraps round to it.
    list.SetCurSel(list.FindString(0, defaultName));
    char text[sizeof modelName];
    if (list.GetLBText(list.GetCurSel(), text) != CB_ERR) CopyText(modelName, text);
    list.EnableWindow(TRUE);
}

void PrinterPage::TakeSelectedModel(int listCategory) {
    CComboBox& list = ListOf(listCategory);
    char text[sizeof modelName];
    if (list.GetLBText(list.GetCurSel(), text) == CB_ERR)
        memset(modelName, 0, sizeof modelName);
    else
        CopyText(modelName, text);
}

void PrinterPage::OnCategoryClicked(int clicked) {
    DisableLists();
    TakeSelectedModel(clicked);
    ListOf(clicked).EnableWindow(TRUE);
    category = clicked;
}

bool PrinterPage::OnCommand(UINT id, UINT code, HWND control) {
    if (code == BN_CLICKED) {
        int clicked = CategoryOfControl(id, kRadioIds);
        if (clicked >= 0) {
            OnCategoryClicked(clicked);
            return true;
        }
    }
    if (code == CBN_SELCHANGE) {
        int changed = CategoryOfControl(id, kListIds);
        if (changed >= 0) {
            TakeSelectedModel(changed);
            return true;
        }
    }
    return CDialog::OnCommand(id, code, control);
}
