// Data exchange between the tests' form and its members, in both directions.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "tests/framework/FrameworkTestForm.h"
#include "tests/support/MessageBoxWatcher.h"

namespace {
std::string ItemText(const CDialog& dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog.m_hWnd, id, text, sizeof text);
    return text;
}
}  // namespace

TEST(DataExchange, MembersGoIntoTheControlsAtInitialisation) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    EXPECT_EQ("abc", ItemText(form, IDC_FW_TEXT));
    EXPECT_EQ("7", ItemText(form, IDC_FW_NUMBER));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(form.m_hWnd, IDC_FW_CHECK));
    EXPECT_EQ(1, form.combo.GetCurSel());
    // The control wrapper receives its control's messages.
    EXPECT_EQ(&form.combo, CWnd::FromHandlePermanent(form.GetDlgItem(IDC_FW_COMBO)));
    form.DestroyWindow();
    EXPECT_EQ(nullptr, form.combo.m_hWnd);
    EXPECT_EQ(nullptr, form.m_hWnd);
}

TEST(DataExchange, SavingCutsTextsToTheirBuffersAndParsesNumbers) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    SetDlgItemTextA(form.m_hWnd, IDC_FW_TEXT, "0123456789");
    SetDlgItemTextA(form.m_hWnd, IDC_FW_NUMBER, "  -42 ");
    CheckDlgButton(form.m_hWnd, IDC_FW_CHECK, BST_UNCHECKED);
    form.combo.SetCurSel(2);
    ASSERT_TRUE(form.UpdateData(TRUE));
    EXPECT_STREQ("0123456", form.text);
    EXPECT_EQ(-42, form.number);
    EXPECT_EQ(0, form.check);
    EXPECT_EQ(2, form.comboIndex);
}

TEST(DataExchange, TextThatIsNoIntegerFailsTheExchangeAndTellsTheUser) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    SetDlgItemTextA(form.m_hWnd, IDC_FW_NUMBER, "12abc");
    CheckDlgButton(form.m_hWnd, IDC_FW_CHECK, BST_UNCHECKED);
    MessageBoxWatcher watcher;
    EXPECT_FALSE(form.UpdateData(TRUE));
    EXPECT_EQ(7, form.number);
    EXPECT_EQ(1, form.check);  // the exchange stopped at the failing control
    ASSERT_EQ(1u, watcher.Texts().size());
    EXPECT_EQ("请输入一个整数。", watcher.Texts()[0]);
    EXPECT_EQ(form.GetDlgItem(IDC_FW_NUMBER), GetFocus());

    SetDlgItemTextA(form.m_hWnd, IDC_FW_NUMBER, "99999999999");
    EXPECT_FALSE(form.UpdateData(TRUE));
    SetDlgItemTextA(form.m_hWnd, IDC_FW_NUMBER, "");
    EXPECT_FALSE(form.UpdateData(TRUE));
    EXPECT_EQ(3u, watcher.Texts().size());
}

TEST(DataExchange, OkSavesAndEndsTheModalRunCancelDoesNotSave) {
    TestForm ok;
    ok.number = 5;
    ok.initialClick = IDOK;
    EXPECT_EQ(IDOK, ok.DoModal());
    EXPECT_TRUE(ok.initialised);
    EXPECT_EQ(5, ok.number);
    ASSERT_FALSE(ok.commands.empty());
    EXPECT_EQ(static_cast<UINT>(IDOK), ok.commands.back());

    TestForm cancel;
    cancel.initialClick = IDCANCEL;
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
    EXPECT_EQ(static_cast<UINT>(IDCANCEL), cancel.commands.back());
}
