#include "engine/DriverFileCopy.h"

#include <windows.h>

#include <cstring>

#include "common/BoundedText.h"
#include "engine/SpoolerApi.h"
#include "engine/SystemDriverFiles.h"
#include "engine/SystemFileRecord.h"
#include "engine/SystemPathApi.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {

static_assert(kCopyPathSize == MAX_PATH, "the copy's paths have the room the file functions allow");
typedef char PathText[kCopyPathSize];

CopyFailure lastFailure = {};

// A system query that answers 0 failed; one that answers the buffer size or more did not fit.
bool Fits(UINT length) {
    return length != 0 && length < kCopyPathSize;
}

bool DriverDirectoryOf(PathText& directory) {
    DWORD needed = 0;
    return Spooler().getPrinterDriverDirectory(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                               kCopyPathSize, &needed) != 0;
}

// Fills directory for target; on failure textId names the message to show.
bool TargetDirectory(int target, PathText& directory, UINT& textId) {
    DWORD needed = 0;
    directory[0] = '\0';
    switch (target) {
        case DriverDirectory:
            textId = IDS_NO_DRIVER_DIRECTORY;
            return DriverDirectoryOf(directory);
        case ProcessorDirectory:
            textId = IDS_NO_PROCESSOR_DIRECTORY;
            return Spooler().getPrintProcessorDirectory(
                       nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), kCopyPathSize, &needed) != 0;
        case SystemDirectory:
            textId = IDS_NO_SYSTEM_DIRECTORY;
            return Fits(SystemPaths().getSystemDirectory(directory, kCopyPathSize));
        case InfDirectory:
            textId = IDS_NO_WINDOWS_DIRECTORY;
            return Fits(SystemPaths().getWindowsDirectory(directory, kCopyPathSize)) &&
                   AppendText(directory, "\\inf");
        case DriverVersion3Directory:
            textId = IDS_NO_DRIVER_DIRECTORY;
            return DriverDirectoryOf(directory) && AppendText(directory, "\\3");
        default:
            textId = IDS_BAD_DIRECTORY_KIND;
            return false;
    }
}

bool NamesNoFile(const char* name) {
    return name == nullptr || name[0] == '\0' || name[0] == '0';
}

// The spooler of Windows has its print-processor directory; where it is missing (Wine makes none for
// the "Windows 4.0" environment) it is made as Windows would have it. False with the error set.
bool MakeMissingFolder(const char* folder) {
    if (GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES) return true;
    return CreateDirectoryA(folder, nullptr) != 0;
}

// The medium's path of name for targetSystem below the current directory; false when the current
// directory cannot be read or the path does not fit.
bool MediumPathOf(const char* name, int targetSystem, PathText& source) {
    PathText current;
    source[0] = '\0';
    return Fits(GetCurrentDirectoryA(kCopyPathSize, current)) && CopyText(source, current) &&
           AppendText(source, SourceSubdirectory(targetSystem)) && AppendText(source, name);
}

}  // namespace

// Anything that names another directory could place a file of the medium outside the chosen system
// directory, or take one from outside the medium. Without a separator or drive, only ".." itself climbs;
// dots inside a name ("drv..v2.dll") stay in the directory.
const CopyFailure& LastCopyFailure() {
    return lastFailure;
}

void ForgetCopyFailure() {
    lastFailure = CopyFailure{};
}

void ReportCopyError(MessageText& message, const char* name, DWORD error, const char* source) {
    CopyText(lastFailure.name, name);
    CopyText(lastFailure.source, source);
    lastFailure.error = error;
    lastFailure.refusedName = !IsBareFileName(name);
    if (error == 0)
        FormatResourceText(message, IDS_COPY_FAILED_NAMED, name, source);
    else
        FormatResourceText(message, IDS_COPY_FAILED_CODE, name, static_cast<int>(error), source);
}

bool IsBareFileName(const char* name) {
    return name != nullptr && strpbrk(name, "\\/:") == nullptr && strcmp(name, "..") != 0;
}

const char* SourceSubdirectory(int targetSystem) {
    switch (targetSystem) {
        case Windows98Me:
            return "\\win98\\";
        case WindowsNT4:
        case Windows2000:
        case WindowsXP:
            return "\\winnt\\";
        case WindowsServer2003:
            return "\\win2003\\";
        case WindowsVista:
            return "\\Vista\\";
        default:
            return "";
    }
}

int CopyDriverFile(const char* name, int target, int targetSystem, bool prefixed, MessageText& message) {
    if (NamesNoFile(name)) return 0;
    PathText directory;
    UINT textId = 0;
    if (!TargetDirectory(target, directory, textId)) {
        LoadResourceText(textId, message);
        return 0;
    }
    PathText current;
    if (!Fits(GetCurrentDirectoryA(kCopyPathSize, current))) {
        LoadResourceText(IDS_NO_CURRENT_DIRECTORY, message);
        return 0;
    }
    PathText source;
    bool sourceFits = CopyText(source, current) && AppendText(source, SourceSubdirectory(targetSystem)) &&
                      AppendText(source, name);
    if (!IsBareFileName(name)) {
        ReportCopyError(message, name, 0, source);
        return 0;
    }
    char targetName[kCopyPathSize];
    bool nameFits = FormatText(targetName, sizeof targetName, "%s%s", prefixed ? "n" : "", name);
    PathText destination;
    bool destinationFits = nameFits && CopyText(destination, directory) && AppendText(destination, "\\") &&
                           AppendText(destination, targetName);
    if (!sourceFits || !destinationFits) {
        ReportCopyError(message, targetName, ERROR_FILENAME_EXCED_RANGE, source);
        return 0;
    }
    if (target == ProcessorDirectory && !MakeMissingFolder(directory)) {
        ReportCopyError(message, targetName, GetLastError(), source);
        return 0;
    }
    NoteBeforePlacing(destination, targetSystem);
    // On the NT family Windows' own driver files (the universal driver, the shared data files) are put in
    // place only where they are missing, never over the system's copy, which other printers use too.
    bool keepExisting = targetSystem != Windows98Me && IsSystemSharedDriverFile(name, targetSystem);
    // Clears a read-only attribute left on an earlier copy; there may be no copy yet.
    if (!keepExisting) SetFileAttributesA(destination, FILE_ATTRIBUTE_ARCHIVE);
    if (CopyFileA(source, destination, keepExisting)) return 1;
    DWORD error = GetLastError();
    if (keepExisting && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)) return 1;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED) return static_cast<int>(error);
    ReportCopyError(message, targetName, error, source);
    return 0;
}

bool FilePlaced(int copyResult, const char* name) {
    return copyResult == 1 || NamesNoFile(name);
}

bool PlaceDriverFile(const char* name, int target, int targetSystem, bool prefixed, MessageText& message) {
    int copied = CopyDriverFile(name, target, targetSystem, prefixed, message);
    if (FilePlaced(copied, name)) return true;
    if (copied == ERROR_SHARING_VIOLATION || copied == ERROR_ACCESS_DENIED) {
        PathText source;
        MediumPathOf(name, targetSystem, source);
        char targetName[kCopyPathSize];
        FormatText(targetName, sizeof targetName, "%s%s", prefixed ? "n" : "", name);
        ReportCopyError(message, targetName, static_cast<DWORD>(copied), source);
    }
    return false;
}

bool MediumHasFile(const char* name, int targetSystem) {
    PathText source;
    if (NamesNoFile(name) || !IsBareFileName(name) || !MediumPathOf(name, targetSystem, source)) return false;
    DWORD attributes = GetFileAttributesA(source);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
