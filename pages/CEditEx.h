#pragma once
// An edit control that paints itself in colours of its own (also when read-only, where the system
// would paint grey), can filter typed characters and can show a context menu of the program's own.

#include "framework/Controls.h"

// Decides which typed characters an edit control takes.
class CharFilter {
public:
    // True: the character is typed into the control; false: it is dropped with a beep.
    virtual bool Accepts(UINT character) = 0;
    virtual ~CharFilter() = default;
};

class CEditEx : public CEdit {
public:
    CEditEx();
    ~CEditEx() override;

    // The name by which the class can be created at run time (CreateObject).
    static constexpr const char* kClassName = "CEditEx";
    static CWnd* CreateObject();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH CtlColor(HDC dc, UINT ctlType) override;
    // Recreates the background brush from the background colour.
    virtual void RebuildBackBrush();

    // Colour setters answer the previous colour and repaint the control with its background erased.
    COLORREF SetBackColor(COLORREF color);
    COLORREF SetTextColor(COLORREF color);
    COLORREF BackColor() const { return backColor; }
    COLORREF TextColor() const { return textColor; }
    // The control's font from a description, or from height, pitch and family and face (weight 400).
    void SetFont(const LOGFONTA& description);
    void SetFont(int height, BYTE pitchAndFamily, const char* faceName);
    HFONT Font() const { return font; }
    // Takes the colours and the font of another control.
    void CopyLook(const CEditEx& other);
    // The filter asked for every typed character; the control owns it (null: every character).
    void SetCharFilter(CharFilter* filter);
    // A menu resource whose first submenu replaces the standard context menu (0: the standard one).
    void SetContextMenuId(UINT id) { contextMenuId = id; }

private:
    bool OnChar(UINT character);
    bool OnContextMenu(LPARAM position);

    HBRUSH backBrush = nullptr;
    COLORREF backColor;
    COLORREF textColor;
    CharFilter* charFilter = nullptr;
    HFONT font = nullptr;
    UINT contextMenuId = 0;
};
