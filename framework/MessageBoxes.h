#pragma once
// The program's two kinds of message box, both captioned with the application title (the program
// file's name without its extension). A long path in a box's text is broken after a backslash, so that
// no line is wider than about 60 characters and the box fits the screen.

#include <windows.h>

#include "common/ResourceText.h"

// The application title, e.g. "QelvanSetup" for QelvanSetup.exe.
const char* AppTitle();

// A program without a person at the screen routes every message to sink instead of a box: the text is
// handed over and a question is answered No. Null (the default) shows boxes.
typedef void (*MessageSink)(const char* text);
void RouteMessagesTo(MessageSink sink);

// A window message box: owned by the given window, OK only, no icon.
void ShowWindowMessage(HWND owner, const char* text);

// An application message box: exclamation icon, owned by the main window's last active pop-up once
// the main window exists (no owner before); buttons MB_OK (default) or MB_YESNO. Returns the button
// pressed (IDOK, IDYES, IDNO). Shown from the user-interface thread.
int ShowAppMessage(const char* text, UINT buttons = MB_OK);

// The toolkit's message box: captioned with the application title, owned as an application message
// box, with the given buttons and icon. Returns the button pressed.
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT textId, UINT type = MB_OK);
