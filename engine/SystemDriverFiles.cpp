#include "engine/SystemDriverFiles.h"

#include <windows.h>

#include "common/BoundedText.h"
#include "engine/DriverFileCopy.h"
#include "engine/SystemPathApi.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {

const char kUniversalDriver[] = "UNIDRV.DLL";

bool Fits(UINT length) {
    return length != 0 && length < kCopyPathSize;
}

bool FileIsPresent(const char* path) {
    HANDLE file =
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// The universal driver belongs in the system directory; the system's own backup copy is preferred to
// the medium's, which goes into the printer-driver directory only when neither exists.
bool InstallUniversalDriver(int targetSystem, MessageText& message) {
    char systemDirectory[kCopyPathSize];
    char windowsDirectory[kCopyPathSize];
    char systemCopy[kCopyPathSize];
    char backupCopy[kCopyPathSize];
    // A path cut to fit its buffer would name another file, so a path that does not fit counts like a
    // directory that cannot be obtained.
    if (!Fits(SystemPaths().getSystemDirectory(systemDirectory, kCopyPathSize)) ||
        !Fits(SystemPaths().getWindowsDirectory(windowsDirectory, kCopyPathSize)) ||
        !FormatText(systemCopy, sizeof systemCopy, "%s\\%s", systemDirectory, kUniversalDriver) ||
        !FormatText(backupCopy, sizeof backupCopy, "%s\\Sysbckup\\%s", windowsDirectory, kUniversalDriver)) {
        LoadResourceText(IDS_OUT_OF_MEMORY, message);
        return false;
    }
    if (FileIsPresent(systemCopy) || CopyFileA(backupCopy, systemCopy, TRUE)) return true;
    return PlaceDriverFile(kUniversalDriver, DriverDirectory, targetSystem, false, message);
}

}  // namespace

bool InstallSystemDriverFiles(int targetSystem, bool ddk, MessageText& message) {
    if (targetSystem == Windows98Me) {
        return PlaceDriverFile("ICONLIB.DLL", DriverDirectory, targetSystem, false, message) &&
               InstallUniversalDriver(targetSystem, message);
    }
    if (targetSystem < Windows2000 || targetSystem > WindowsVista || !ddk) return true;
    // These files are optional on the medium: one it lacks is not an error, one it has must be placed.
    const char* sharedFiles[] = {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"};  // IsSystemSharedDriverFile
    for (const char* file : sharedFiles) {
        if (MediumHasFile(file, targetSystem) &&
            !PlaceDriverFile(file, DriverDirectory, targetSystem, false, message)) {
            return false;
        }
    }
    return true;
}

bool IsSystemSharedDriverFile(const char* name, int) {
    // Windows' universal printer driver (UNIDRV.DLL, its user interface and help), the icon library of
    // Windows 98/Me and the shared data files of Windows 2000 and later: whatever system and whatever
    // registration names them, they are Windows' own and every printer of the universal driver needs them.
    const char* const windowsOwn[] = {kUniversalDriver, "UNIDRVUI.DLL", "UNIDRV.HLP", "ICONLIB.DLL",
                                      "TTFSUB.GPD",     "STDNAMES.GPD", "UNIRES.DLL"};
    for (const char* own : windowsOwn) {
        if (lstrcmpiA(name, own) == 0) return true;
    }
    return false;
}
