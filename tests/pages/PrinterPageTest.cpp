#include "pages/PrinterPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {
typedef std::vector<std::string> Texts;

const int kRadios[] = {IDC_RECEIPT_RADIO, IDC_TICKET_RADIO, IDC_LABEL_RADIO, IDC_EMBEDDED_RADIO};
const int kLists[] = {IDC_RECEIPT_LIST, IDC_TICKET_LIST, IDC_LABEL_LIST, IDC_EMBEDDED_LIST};

// A medium holding only the catalogue, made the working directory before the page (and with it the
// page's configuration reader) is constructed.
class Catalogue {
public:
    explicit Catalogue(const std::string& section) {
        WriteTextFile(dir_ / "DRVCONFIG\\setup.ini", "[DEVICENAME]\r\n" + section);
    }

private:
    TempDir dir_{"pages"};
    CurrentDirectoryScope workingDirectory_{dir_.Path()};
};

// The enabled lists and radio buttons, as category numbers.
std::vector<int> EnabledLists(PrinterPage& page) {
    std::vector<int> enabled;
    for (int c = 0; c < 4; ++c)
        if (IsEnabled(page, kLists[c])) enabled.push_back(c);
    return enabled;
}
std::vector<int> EnabledRadios(PrinterPage& page) {
    std::vector<int> enabled;
    for (int c = 0; c < 4; ++c)
        if (IsEnabled(page, kRadios[c])) enabled.push_back(c);
    return enabled;
}
std::vector<int> CheckedRadios(PrinterPage& page) {
    std::vector<int> checked;
    for (int c = 0; c < 4; ++c)
        if (IsChecked(page, kRadios[c])) checked.push_back(c);
    return checked;
}
}  // namespace

TEST(PrinterPage, DefaultInTicketCategoryAndSwitchingCategories) {
    Catalogue catalogue(
        "DEVICENUMBER=7\r\n"
        "DEVICENAME1=P58-ReceiptPrinter\r\n"
        "DEVICENAME2=T80-TicketPrinter\r\n"
        "DEVICENAME3=P80-ReceiptPrinter\r\n"
        "DEVICENAME4=T58-TicketPrinter\r\n"
        "DEVICENAME5=Bad-receiptprinter\r\n"
        "DEVICENAME6=L40-LabelPrinter\r\n"
        "DEVICENAME7=E1-EmbeddedPrinter\r\n"
        "DEFAULTNAME=4\r\n");
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));

    // Catalogue order, the suffixes dropped, the entry without a known suffix left out.
    EXPECT_EQ((Texts{"P58", "P80"}), ListTexts(page, IDC_RECEIPT_LIST));
    EXPECT_EQ((Texts{"T80", "T58"}), ListTexts(page, IDC_TICKET_LIST));
    EXPECT_EQ((Texts{"L40"}), ListTexts(page, IDC_LABEL_LIST));
    EXPECT_EQ((Texts{"E1"}), ListTexts(page, IDC_EMBEDDED_LIST));
    EXPECT_EQ(1, page.hasModels);
    EXPECT_EQ(Ticket, page.category);
    EXPECT_STREQ("T58", page.modelName);
    EXPECT_EQ((std::vector<int>{Ticket}), CheckedRadios(page));
    EXPECT_EQ((std::vector<int>{Ticket}), EnabledLists(page));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), EnabledRadios(page));
    EXPECT_EQ("T58", SelectedText(page, IDC_TICKET_LIST));
    // The other lists show their first model while disabled.
    EXPECT_EQ("P58", SelectedText(page, IDC_RECEIPT_LIST));
    EXPECT_EQ("L40", SelectedText(page, IDC_LABEL_LIST));
    EXPECT_EQ("E1", SelectedText(page, IDC_EMBEDDED_LIST));

    ClickButton(page, IDC_RECEIPT_RADIO);
    EXPECT_EQ(Receipt, page.category);
    EXPECT_STREQ("P58", page.modelName);
    EXPECT_EQ((std::vector<int>{Receipt}), EnabledLists(page));
    EXPECT_EQ((std::vector<int>{Receipt}), CheckedRadios(page));

    // A new choice in the list changes the model, not the category.
    SelectEntry(page, IDC_RECEIPT_LIST, 1);
    EXPECT_STREQ("P80", page.modelName);
    EXPECT_EQ(Receipt, page.category);

    ClickButton(page, IDC_EMBEDDED_RADIO);
    EXPECT_EQ(Embedded, page.category);
    EXPECT_STREQ("E1", page.modelName);

    // Each list kept its selection while disabled.
    ClickButton(page, IDC_TICKET_RADIO);
    EXPECT_STREQ("T58", page.modelName);
    ClickButton(page, IDC_RECEIPT_RADIO);
    EXPECT_STREQ("P80", page.modelName);
    EXPECT_EQ((std::vector<int>{Receipt}), EnabledLists(page));
}

TEST(PrinterPage, DefaultPrinterOptionFollowsTheCheckBox) {
    Catalogue catalogue("DEVICENUMBER=1\r\nDEVICENAME1=P58-ReceiptPrinter\r\nDEFAULTNAME=1\r\n");
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_FALSE(IsChecked(page, IDC_SET_AS_DEFAULT));
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(0, page.setAsDefault);
    ClickButton(page, IDC_SET_AS_DEFAULT);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(1, page.setAsDefault);
    // Saving the page keeps the model choice.
    EXPECT_STREQ("P58", page.modelName);
    EXPECT_EQ(Receipt, page.category);
}

TEST(PrinterPage, DefaultIsFoundByPrefixFromTheSecondEntry) {
    // The search starts after the first entry and wraps round to it.
    {
        Catalogue catalogue(
            "DEVICENUMBER=2\r\nDEVICENAME1=P58-ReceiptPrinter\r\nDEVICENAME2=P580-ReceiptPrinter\r\n"
            "DEFAULTNAME=1\r\n");
        PageHost host;
        PrinterPage page(IDD_PRINTER_PAGE);
        ASSERT_TRUE(host.Open(page));
        EXPECT_STREQ("P580", page.modelName);
        EXPECT_EQ(1, SelectedIndex(page, IDC_RECEIPT_LIST));
    }
    {
        Catalogue catalogue(
            "DEVICENUMBER=2\r\nDEVICENAME1=P580-ReceiptPrinter\r\nDEVICENAME2=P58-ReceiptPrinter\r\n"
            "DEFAULTNAME=2\r\n");
        PageHost host;
        PrinterPage page(IDD_PRINTER_PAGE);
        ASSERT_TRUE(host.Open(page));
        EXPECT_STREQ("P58", page.modelName);
        EXPECT_EQ(1, SelectedIndex(page, IDC_RECEIPT_LIST));
    }
    {
        // Without regard to case, and wrapping round to the first entry. The default entry may lie
        // beyond DEVICENUMBER: it is read all the same.
        Catalogue catalogue(
            "DEVICENUMBER=2\r\nDEVICENAME1=ABC1-LabelPrinter\r\nDEVICENAME2=X1-LabelPrinter\r\n"
            "DEVICENAME3=abc-LabelPrinter\r\nDEFAULTNAME=3\r\n");
        PageHost host;
        PrinterPage page(IDD_PRINTER_PAGE);
        ASSERT_TRUE(host.Open(page));
        EXPECT_EQ((Texts{"ABC1", "X1"}), ListTexts(page, IDC_LABEL_LIST));
        EXPECT_EQ(Label, page.category);
        EXPECT_STREQ("ABC1", page.modelName);
        EXPECT_EQ(0, SelectedIndex(page, IDC_LABEL_LIST));
        EXPECT_EQ((std::vector<int>{Label}), EnabledRadios(page));
    }
}

TEST(PrinterPage, DefaultNameMatchingNoEntryLeavesTheListWithoutSelection) {
    Catalogue catalogue(
        "DEVICENUMBER=4\r\nDEVICENAME1=abc-LabelPrinter\r\nDEVICENAME2=X1-LabelPrinter\r\n"
        "DEVICENAME3=AB-LabelPrinter\r\nDEVICENAME4=R1-ReceiptPrinter\r\nDEVICENAME5=Q9-LabelPrinter\r\n"
        "DEFAULTNAME=5\r\n");
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ(Label, page.category);
    EXPECT_EQ(-1, SelectedIndex(page, IDC_LABEL_LIST));
    EXPECT_STREQ("", page.modelName);
    EXPECT_EQ((std::vector<int>{Label}), EnabledLists(page));
    // A radio click on a list without selection clears the model another category gave.
    ClickButton(page, IDC_RECEIPT_RADIO);
    ASSERT_STREQ("R1", page.modelName);
    ClickButton(page, IDC_LABEL_RADIO);
    EXPECT_STREQ("", page.modelName);
    SelectEntry(page, IDC_LABEL_LIST, 0);
    EXPECT_STREQ("abc", page.modelName);
}

TEST(PrinterPage, ModelsOnlyInTheLabelCategory) {
    Catalogue catalogue("DEVICENUMBER=2\r\nDEVICENAME1=L40-LabelPrinter\r\nDEVICENAME2=L80-LabelPrinter\r\n");
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ(1, page.hasModels);
    EXPECT_EQ(-1, page.category);  // no default entry
    EXPECT_STREQ("", page.modelName);
    EXPECT_EQ((std::vector<int>{Label}), EnabledRadios(page));
    EXPECT_TRUE(CheckedRadios(page).empty());
    EXPECT_TRUE(EnabledLists(page).empty());
    ClickButton(page, IDC_LABEL_RADIO);
    EXPECT_EQ(Label, page.category);
    EXPECT_STREQ("L40", page.modelName);
    EXPECT_EQ((std::vector<int>{Label}), EnabledLists(page));
    SelectEntry(page, IDC_LABEL_LIST, 1);
    EXPECT_STREQ("L80", page.modelName);
}

TEST(PrinterPage, ADamagedCountReadsAtMostAThousandEntries) {
    // The largest count: the page must still open, having read entries 1 to 1000 only.
    Catalogue catalogue(
        "DEVICENUMBER=2147483647\r\nDEVICENAME1=L40-LabelPrinter\r\nDEVICENAME1000=L1000-LabelPrinter\r\n"
        "DEVICENAME1001=L1001-LabelPrinter\r\n");
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ((Texts{"L40", "L1000"}), ListTexts(page, IDC_LABEL_LIST));
}

TEST(PrinterPage, EmptyOrMissingCatalogue) {
    for (const char* section : {"DEVICENUMBER=0\r\n", ""}) {
        Catalogue catalogue(section);
        PageHost host;
        PrinterPage page(IDD_PRINTER_PAGE);
        ASSERT_TRUE(host.Open(page));
        EXPECT_EQ(0, page.hasModels);
        EXPECT_EQ(-1, page.category);
        EXPECT_STREQ("", page.modelName);
        EXPECT_TRUE(EnabledRadios(page).empty());
        EXPECT_TRUE(EnabledLists(page).empty());
        EXPECT_TRUE(CheckedRadios(page).empty());
    }
    // No configuration file at all.
    TempDir empty("pages");
    CurrentDirectoryScope inEmpty(empty.Path());
    PageHost host;
    PrinterPage page(IDD_PRINTER_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ(0, page.hasModels);
    EXPECT_TRUE(EnabledRadios(page).empty());
}
