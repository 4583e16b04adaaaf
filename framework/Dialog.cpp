#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/DialogInit.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    // A modeless window must not outlive its object: its messages would reach freed memory.
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

static HINSTANCE ResourceModule() {
    return GetModuleHandleA(nullptr);
}

INT_PTR CDialog::DoModal() {
    modal_ = true;
    HWND owner = parent_ ? parent_->m_hWnd : nullptr;
    INT_PTR result = DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), owner,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd != nullptr) return false;
    templateId_ = templateId;
    parent_ = parent;
    modal_ = false;
    HWND owner = parent ? parent->m_hWnd : nullptr;
    HWND hwnd = CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId), owner,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::DestroyWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr) return FALSE;
    return ::DestroyWindow(hwnd);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return reinterpret_cast<CDialog*>(lParam)->Initialise(hwnd);
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    if (message != WM_NCDESTROY) return dialog->WindowProc(message, wParam, lParam);
    // The window is gone: the object may be created again or destroyed safely.
    INT_PTR result = dialog->WindowProc(message, wParam, lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    dialog->DetachWrapper();
    return result;
}

INT_PTR CDialog::Initialise(HWND hwnd) {
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    AttachWrapper(hwnd);
    ApplyDialogInitResource(hwnd, ResourceModule(), templateId_);
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    // The members go into the controls once; a failure here has already been reported.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(BOOL saveAndValidate) {
    if (m_hWnd == nullptr) return false;
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return !dx.failed;
}

bool CDialog::OnCommand(UINT id, UINT code, HWND) {
    // Menu items and accelerators arrive with code 0 or 1, buttons with BN_CLICKED (0).
    if (code != BN_CLICKED && code != 1) return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return reinterpret_cast<LRESULT>(ReflectCtlColor(message, wParam, lParam));
    return FALSE;
}

HICON CDialog::LoadProgramIcon(UINT id) const {
    return LoadIconA(ResourceModule(), MAKEINTRESOURCEA(id));
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}
