#include "common/ConsoleText.h"

#include <cstring>

void WriteLine(HANDLE out, const char* text) {
    DWORD mode = 0;
    DWORD written = 0;
    DWORD length = static_cast<DWORD>(strlen(text));
    // The C run-time's console output converts byte by byte and breaks the double-byte characters of
    // code page 936; the console's ANSI call converts whole characters.
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleA(out, text, length, &written, nullptr);
        WriteConsoleA(out, "\r\n", 2, &written, nullptr);
        return;
    }
    WriteFile(out, text, length, &written, nullptr);
    WriteFile(out, "\r\n", 2, &written, nullptr);
}
