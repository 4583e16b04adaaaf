#include "deploy/PendingRestart.h"

#include <windows.h>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "removal/RestartDeletion.h"

namespace {
// A short (8.3) name, as WININIT.INI's lines want it.
const char kMarkerName[] = "\\QELVANRS.PND";

const char kWininitName[] = "\\WININIT.INI";

bool WindowsFolderPath(const char* name, char (&path)[MAX_PATH]) {
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path && AppendText(path, name);
}

bool MarkerPath(char (&path)[MAX_PATH]) {
    return WindowsFolderPath(kMarkerName, path);
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
    if (DeleteAtNextStartOfWindows98(path, error)) return;
    DeleteFileA(path);
    char wininit[MAX_PATH] = {};
    WindowsFolderPath(kWininitName, wininit);
    SayWithError(FormatResource(IDS_DEPLOY_RESTART_NOT_REMEMBERED, wininit).c_str(), error);
}
