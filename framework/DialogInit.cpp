#include "framework/DialogInit.h"

#include <string>

namespace {
WORD ReadWord(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}
DWORD ReadDword(const BYTE* p) {
    return ReadWord(p) | (static_cast<DWORD>(ReadWord(p + 2)) << 16);
}

UINT ControlMessage(WORD message) {
    if (message == kDlgInitComboAddString) return CB_ADDSTRING;
    if (message == kDlgInitListAddString) return LB_ADDSTRING;
    return 0;
}
}  // namespace

bool ApplyDialogInitData(HWND dialog, const void* data, size_t size) {
    const BYTE* p = static_cast<const BYTE*>(data);
    const BYTE* end = p + size;
    const size_t kHeader = 2 + 2 + 4;
    while (end - p >= 2) {
        WORD id = ReadWord(p);
        if (id == 0) return true;
        if (static_cast<size_t>(end - p) < kHeader) return false;
        UINT message = ControlMessage(ReadWord(p + 2));
        DWORD length = ReadDword(p + 4);
        p += kHeader;
        if (length > static_cast<size_t>(end - p)) return false;
        // The bytes normally carry their own terminator; a copy guarantees one.
        std::string text(reinterpret_cast<const char*>(p), length);
        if (message != 0) SendDlgItemMessageA(dialog, id, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        p += length;
    }
    return p == end;
}

bool ApplyDialogInitResource(HWND dialog, HMODULE module, UINT templateId) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(kDialogInitType));
    if (found == nullptr) return true;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) return false;
    return ApplyDialogInitData(dialog, data, SizeofResource(module, found));
}
