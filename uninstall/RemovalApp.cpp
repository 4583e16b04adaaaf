#include "uninstall/RemovalApp.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "common/SingleInstance.h"
#include "config/CatalogueModels.h"
#include "config/ConfigValues.h"
#include "config/MediumPaths.h"
#include "config/PortRegistry.h"
#include "framework/MessageBoxes.h"
#include "removal/ProgramEntry.h"
#include "resources/ResourceIds.h"
#include "uninstall/RemovalDialog.h"
#include "uninstall/RemovalIds.h"

namespace {
// The switch by which the temporary copy learns the folder it works on.
const char kFolderSwitch[] = "/folder:";
// The temporary copy's folder: this prefix and a number, created new for each removal.
const char kTemporaryFolder[] = "QelvanRemoval";
constexpr int kFolderAttempts = 100;

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? path : "";
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// The folder named after /folder: on the command line (quoted or not); empty without the switch.
std::string FolderSwitch() {
    const char* line = GetCommandLineA();
    const char* found = strstr(line, kFolderSwitch);
    if (found == nullptr) return "";
    std::string value = found + strlen(kFolderSwitch);
    if (!value.empty() && value[0] == '"') {
        size_t end = value.find('"', 1);
        return value.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    return value.substr(0, value.find(' '));
}

// A folder under the temporary folder that did not exist before: CreateDirectory itself must make it,
// so that nothing put there beforehand (a library the copy would load) lies beside the copy.
bool CreateNewTemporaryFolder(std::string& folder) {
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length >= sizeof temporary) return false;
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
        char path[MAX_PATH];
        if (!FormatText(path, sizeof path, "%s%s%08lX", temporary, kTemporaryFolder,
                        static_cast<unsigned long>(seed + attempt)))
            return false;
        if (CreateDirectoryA(path, nullptr)) {
            folder = path;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}
}  // namespace

BOOL RemovalApp::InitInstance() {
    if (!MayStart()) return FALSE;
    if (HandedToTemporaryCopy()) return FALSE;
    // The configuration readers read the files of the current directory, as the wizard's do on the
    // medium: here the folder the program stands in (or the one the temporary copy was given).
    char directory[kConfigPathSize];
    if (GetProgramDirectory(directory)) SetCurrentDirectoryA(directory);
    // A folder too deep for the configuration files' paths would be read through cut paths.
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        ShowWindowMessage(nullptr, refusal);
    } else if (ReadCatalogue().empty()) {
        // Without the catalogue nothing tells the medium's printers, records and files from others'.
        ShowAppMessage(ResourceText(IDS_DROVIX_NO_CATALOGUE).c_str());
    } else {
        RunWindow();
    }
    if (!temporaryCopy_.empty()) {
        // The temporary copy cannot delete itself while it runs: it goes at the next start.
        DWORD error = 0;
        DeleteFileNowOrAtRestart(temporaryCopy_.c_str(), error);
        std::string directory = DirectoryOf(temporaryCopy_);
        if (!RemoveDirectoryA(directory.c_str()))
            MoveFileExA(directory.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return FALSE;
}

bool RemovalApp::MayStart() {
    switch (CheckRemovalWindowStart(mutex_)) {
        case StartRefusal::None:
            return true;
        case StartRefusal::SameNameRuns: {
            HWND running = FindProductDialog(kRemovalWindowCaption);
            if (running != nullptr) {
                SetForegroundWindow(running);
                OpenIcon(running);
            }
            return false;
        }
        case StartRefusal::WizardOpen:
        case StartRefusal::UninstallerOpen:
        case StartRefusal::DeployRuns:
            ShowAppMessage(ResourceText(IDS_DROVIX_CLOSE_WIZARD).c_str());
            return false;
    }
    return false;
}

bool RemovalApp::HandedToTemporaryCopy() {
    std::string self = ProgramPath();
    std::string given = FolderSwitch();
    if (!given.empty()) {
        // The copy works on the configuration files the folder keeps; it deletes itself at the end
        // only when it is the copy the removal made and recorded.
        if (TakeRemovalCopyRecord(self.c_str())) temporaryCopy_ = self;
        UseMediumDirectory(given.c_str());
        return false;
    }
    char folder[MAX_PATH];
    if (self.empty() || !ProgramEntryFolder(folder) || lstrcmpiA(DirectoryOf(self).c_str(), folder) != 0)
        return false;
    std::string temporary;
    if (!CreateNewTemporaryFolder(temporary)) return false;
    std::string copy = temporary + "\\" + kRemovalWindowFile;
    if (!CopyFileA(self.c_str(), copy.c_str(), TRUE) || !RecordRemovalCopy(copy.c_str())) {
        DeleteFileA(copy.c_str());
        RemoveDirectoryA(temporary.c_str());
        return false;
    }
    std::string command = "\"" + copy + "\" " + kFolderSwitch + "\"" + folder + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // The copy takes the removal window's mutex itself: it is let go first.
    CloseHandle(mutex_);
    mutex_ = nullptr;
    if (!CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, temporary.c_str(),
                        &startup, &process)) {
        // No copy runs: this program does the removal itself, from the folder.
        TakeRemovalCopyRecord(copy.c_str());
        DeleteFileA(copy.c_str());
        RemoveDirectoryA(temporary.c_str());
        return !MayStart();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void RemovalApp::RunWindow() {
    DetectedSystem detected = DetectSystem();
    // DetectSystem has told an unsupported platform already; a Windows it does not know is told here,
    // as the wizard's system page tells it: nothing is removed under another system's names.
    if (detected.recognition == SystemRecognition::NotRecognised) AfxMessageBox(IDS_UNSUPPORTED_SYSTEM);
    if (detected.recognition != SystemRecognition::Recognised) return;
    RemovalDialog dialog(detected.system);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}
