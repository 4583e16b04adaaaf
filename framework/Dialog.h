#pragma once
// Dialogs built from templates of the program's resources: modal (DoModal) or modeless children
// (Create). The object is kept in the dialog's DWLP_USER slot from WM_INITDIALOG on, and every message
// reaches the virtual WindowProc, which follows the dialog-procedure convention: FALSE hands the
// message to the dialog manager, anything else is the answer.

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; the value passed to EndDialog, or -1 when the template cannot be used.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window (a child when the template says so) of parent.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);
    UINT TemplateId() const { return templateId_; }

    // Moves data between the controls and the members: true saves the controls into the members.
    // False when a control's text could not be taken (the user has been told).
    bool UpdateData(BOOL saveAndValidate = TRUE);

    // TRUE lets the dialog manager give the focus to the first control; FALSE: the dialog set it.
    virtual BOOL OnInitDialog();
    // The OK button (IDOK): saves the data and ends a modal run with IDOK.
    virtual void OnOK();
    // The Cancel button, Esc and the close box (IDCANCEL): ends a modal run with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    // WM_COMMAND from a control or menu: true when handled. The base serves IDOK and IDCANCEL.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    // Every message after WM_INITDIALOG. The base dispatches WM_COMMAND to OnCommand and hands the
    // WM_CTLCOLOR... messages to the control's own wrapper (CWnd::CtlColor).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

    BOOL CheckRadioButton(int first, int last, int checked) {
        return ::CheckRadioButton(m_hWnd, first, last, checked);
    }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    BOOL SetDlgItemText(int id, const char* text) { return ::SetDlgItemTextA(m_hWnd, id, text); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }
    void GotoDlgCtrl(HWND control) { SendMessage(WM_NEXTDLGCTL, (WPARAM)control, TRUE); }

protected:
    HICON LoadProgramIcon(UINT id) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Initialise(HWND hwnd);

    UINT templateId_;
    CWnd* parent_;
    bool modal_ = false;
};

// The program's main window (CWinApp::m_pMainWnd); null before it is set.
CWnd* AfxGetMainWnd();
