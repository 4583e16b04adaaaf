#include "deploy/PendingRestart.h"

#include <windows.h>

#include "common/BoundedText.h"
#include "deploy/DeployMedium.h"
#include "removal/RestartDeletion.h"

namespace {
// A short (8.3) name, as WININIT.INI's lines want it.
const char kMarkerName[] = "\\QELVANRS.PND";

bool MarkerPath(char (&path)[MAX_PATH]) {
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path && AppendText(path, kMarkerName);
}
}  // namespace

bool RestartPending() {
    char path[MAX_PATH] = {};
    return RunningSystem() == Windows98Me && MarkerPath(path) &&
           GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void RememberRestart() {
    char path[MAX_PATH] = {};
    if (RunningSystem() != Windows98Me || !MarkerPath(path) || RestartPending()) return;
    HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return;
    CloseHandle(marker);
    DWORD error = 0;
    if (!DeleteAtNextStartOfWindows98(path, error)) DeleteFileA(path);
}
