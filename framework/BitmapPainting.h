#pragma once
// A bitmap stretched onto the whole client area of a window: how the wizard and the removal window
// paint their banner into its frame.

#include <windows.h>

// Paints bitmap onto frame (nothing when bitmap is null).
void StretchBitmapOnto(HWND frame, HBITMAP bitmap);
