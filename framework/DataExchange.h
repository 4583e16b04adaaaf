#pragma once
// Dialog data exchange between controls and members. Each DDX_ call moves one control's value in the
// direction of the exchange; a value that cannot be taken from its control tells the user, gives the
// control the focus and marks the exchange failed, and later calls of the same exchange do nothing.

#include <windows.h>

#include <cstddef>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls -> members
    bool failed = false;

    // Marks the exchange failed and puts the focus on the control that could not be read.
    void Fail(int controlId);
    HWND Control(int controlId) const;
};

// Text of an edit or static control into a fixed-size buffer (cut at its capacity).
void DDX_Text(CDataExchange* dx, int id, char* buffer, size_t capacity);
template <size_t N>
void DDX_Text(CDataExchange* dx, int id, char (&buffer)[N]) {
    DDX_Text(dx, id, buffer, N);
}
// A signed decimal integer; text that is not one fails the exchange with a message.
void DDX_Text(CDataExchange* dx, int id, int& value);
// A check box or radio button: 0 clear, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The selected index of a combo box (-1: none).
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Attaches a wrapper to the control once, so the wrapper receives the control's messages.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
