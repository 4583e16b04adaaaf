#pragma once
// Dialog initialisation data (resource type RT_DLGINIT, 240, with the dialog template's id): entries
// of WORD control id, WORD message, DWORD length and that many bytes, ended by a zero control id. The
// message 0x0403 adds a string to a combo box, 0x0401 to a list box; this is how a template carries the
// contents of its lists.

#include <windows.h>

constexpr WORD kDialogInitType = 240;
constexpr WORD kDlgInitComboAddString = 0x0403;
constexpr WORD kDlgInitListAddString = 0x0401;

// Sends the entries of the data to the dialog's controls. False when the data is cut short.
bool ApplyDialogInitData(HWND dialog, const void* data, size_t size);

// Finds the initialisation data of the template in module and applies it. True when there is none.
bool ApplyDialogInitResource(HWND dialog, HMODULE module, UINT templateId);
