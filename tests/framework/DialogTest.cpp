// Dialog creation, dispatch, timers, dialog initialisation data, threads and creation by class name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/DialogInit.h"
#include "framework/RuntimeClass.h"
#include "framework/Thread.h"
#include "pages/CEditEx.h"
#include "tests/framework/FrameworkTestForm.h"

namespace {
std::string ListText(HWND list, UINT getText, UINT getLength, int index) {
    LRESULT length = SendMessageA(list, getLength, static_cast<WPARAM>(index), 0);
    if (length < 0) return "<none>";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

// One dialog-init entry: control id, message, length, bytes.
void AddEntry(std::string& data, WORD id, WORD message, const std::string& bytes) {
    DWORD length = static_cast<DWORD>(bytes.size());
    data.append(reinterpret_cast<const char*>(&id), 2);
    data.append(reinterpret_cast<const char*>(&message), 2);
    data.append(reinterpret_cast<const char*>(&length), 4);
    data += bytes;
}
}  // namespace

TEST(Dialog, InitialisationDataOfTheTemplateFillsItsLists) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    HWND combo = form.GetDlgItem(IDC_FW_COMBO);
    ASSERT_EQ(3, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("110", ListText(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, 0));
    EXPECT_EQ("Even", ListText(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, 1));
    EXPECT_EQ("38400", ListText(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, 2));
    HWND list = form.GetDlgItem(IDC_FW_LIST);
    ASSERT_EQ(1, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("alpha", ListText(list, LB_GETTEXT, LB_GETTEXTLEN, 0));
    // The lists are filled before the members go into the controls: the saved index selects "Even".
    EXPECT_EQ(1, form.combo.GetCurSel());
    char text[3];
    EXPECT_EQ(2, form.combo.GetLBText(2, text));
    EXPECT_STREQ("38", text);
    EXPECT_EQ(CB_ERR, form.combo.GetLBText(7, text));
    EXPECT_STREQ("", text);
}

TEST(Dialog, InitialisationDataThatIsCutShortIsRefusedAndUnknownMessagesAreSkipped) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    HWND combo = form.GetDlgItem(IDC_FW_COMBO);
    form.combo.ResetContent();

    std::string data;
    AddEntry(data, IDC_FW_COMBO, kDlgInitComboAddString, std::string("COM1:", 5));  // no terminator
    AddEntry(data, IDC_FW_COMBO, 0x1234, std::string("skipped\0", 8));
    data.append(2, '\0');
    EXPECT_TRUE(ApplyDialogInitData(form.m_hWnd, data.data(), data.size()));
    ASSERT_EQ(1, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("COM1:", ListText(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, 0));

    std::string cut;
    AddEntry(cut, IDC_FW_COMBO, kDlgInitComboAddString, std::string("LPT1:\0", 6));
    cut.resize(cut.size() - 3);  // the length says more than there is
    EXPECT_FALSE(ApplyDialogInitData(form.m_hWnd, cut.data(), cut.size()));
    EXPECT_FALSE(ApplyDialogInitData(form.m_hWnd, cut.data(), 5));
    EXPECT_EQ(1, SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

TEST(Dialog, CommandsReachTheHandlerByControlIdAndTimersTheWindowProcedure) {
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_FW_FORM));
    // The edit controls' notifications arrive too; the click is the one command of the button.
    SendMessageA(form.GetDlgItem(IDC_FW_ACTION), BM_CLICK, 0, 0);
    EXPECT_EQ(1, std::count(form.commands.begin(), form.commands.end(), static_cast<UINT>(IDC_FW_ACTION)));
    EXPECT_EQ(static_cast<UINT>(IDC_FW_ACTION), form.commands.back());
    form.DestroyWindow();

    TestForm timed;
    timed.timerToEndWith = 5;
    EXPECT_EQ(77, timed.DoModal());
}

namespace {
UINT AddOne(LPVOID parameter) {
    auto* value = static_cast<volatile LONG*>(parameter);
    InterlockedIncrement(const_cast<LONG*>(value));
    return 33;
}
}  // namespace

TEST(Dialog, ThreadsRunTheirProcedureWithItsParameter) {
    volatile LONG value = 0;
    HANDLE thread = AfxBeginThread(&AddOne, const_cast<LONG*>(&value));
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(33u, code);
    EXPECT_EQ(1, value);
    CloseHandle(thread);

    HANDLE suspended =
        AfxBeginThread(&AddOne, const_cast<LONG*>(&value), THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, suspended);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(suspended, 100));
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, GetThreadPriority(suspended));
    ResumeThread(suspended);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(suspended, 5000));
    EXPECT_EQ(2, value);
    CloseHandle(suspended);
}

TEST(Dialog, WrappersAreCreatedByTheirClassName) {
    CWnd* created = CreateObjectByName("CEditEx");
    ASSERT_NE(nullptr, created);
    EXPECT_NE(nullptr, dynamic_cast<CEditEx*>(created));
    delete created;
    EXPECT_EQ(nullptr, CreateObjectByName("CNoSuchClass"));
    EXPECT_FALSE(RegisterRuntimeClass("CEditEx", &CEditEx::CreateObject));
}
