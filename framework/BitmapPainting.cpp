#include "framework/BitmapPainting.h"

void StretchBitmapOnto(HWND frame, HBITMAP bitmap) {
    HDC dc = ::GetDC(frame);
    HDC memory = CreateCompatibleDC(dc);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        RECT target;
        ::GetClientRect(frame, &target);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, target.right - target.left, target.bottom - target.top, memory, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(memory, previous);
    }
    if (memory != nullptr) DeleteDC(memory);
    ::ReleaseDC(frame, dc);
}
