#pragma once
// Wrappers of the standard controls the pages use. Each is attached to its control by DDX_Control (or
// SubclassDlgItem) and sends the control's own messages.

#include "framework/Wnd.h"

#include <commctrl.h>

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void Click() { SendMessage(BM_CLICK); }
};

class CComboBox : public CWnd {
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, (LPARAM)text)); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // Prefix search without regard to case, starting after the entry `after` (-1: from the top).
    int FindString(int after, const char* text) const {
        return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(after), (LPARAM)text));
    }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    // The entry's text into buffer, cut to its capacity; CB_ERR when there is no such entry.
    int GetLBText(int index, char* buffer, size_t capacity) const;
    template <size_t N>
    int GetLBText(int index, char (&buffer)[N]) const {
        return GetLBText(index, buffer, N);
    }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void ReplaceSel(const char* text) { SendMessage(EM_REPLACESEL, TRUE, (LPARAM)text); }
    void SetReadOnly(BOOL readOnly = TRUE) { SendMessage(EM_SETREADONLY, readOnly); }
    void LimitText(int characters) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
};

class CStatic : public CWnd {
public:
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
    }
    HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    int SetPos(int position) {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)));
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
