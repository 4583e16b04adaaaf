#include "uninstall/RemovalApp.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "common/SingleInstance.h"
#include "common/TillLog.h"
#include "config/CatalogueModels.h"
#include "config/ConfigValues.h"
#include "config/MediumPaths.h"
#include "config/PortRegistry.h"
#include "framework/MessageBoxes.h"
#include "engine/DriverMediumRecord.h"
#include "removal/ProgramEntry.h"
#include "removal/RestartDeletion.h"
#include "resources/ResourceIds.h"
#include "uninstall/RemovalDialog.h"
#include "uninstall/RemovalIds.h"

namespace {
// The switch by which the temporary copy learns the folder it works on.
const char kFolderSwitch[] = "/folder:";

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? path : "";
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

// A refusal is shown and left in the till's log.
void ShowRefusal(const std::string& text) {
    TillLogResource(IDS_LOG_START_REFUSED, text.c_str());
    ShowAppMessage(text.c_str());
}

void LogStart() {
    char medium[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof medium, medium);
    if (length == 0 || length >= sizeof medium) medium[0] = '\0';
    TillLogResource(IDS_DROVIX_LOG_STARTED, ProgramPath().c_str(), RunningMediumVersion().text.c_str());
    TillLogResource(IDS_LOG_MEDIUM, medium, RunningMediumVersion().text.c_str());
}

// True when folder holds nothing but the file named only.
bool HoldsOnly(const std::string& folder, const std::string& only) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool alone = true;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != ".." && lstrcmpiA((folder + "\\" + name).c_str(), only.c_str()) != 0)
            alone = false;
    } while (alone && FindNextFileA(find, &found));
    FindClose(find);
    return alone;
}
}  // namespace

BOOL RemovalApp::InitInstance() {
    if (MayStart() && !HandedToTemporaryCopy()) {
        RunInFolder();
        TillLogResource(IDS_DROVIX_LOG_ENDED);
    }
    CloseTillLog();
    return FALSE;
}

void RemovalApp::RunInFolder() {
    // The configuration readers read the files of the current directory, as the wizard's do on the
    // medium: here the folder the program stands in (or the one the temporary copy was given).
    char directory[kConfigPathSize];
    if (GetProgramDirectory(directory)) SetCurrentDirectoryA(directory);
    LogStart();
    // A folder too deep for the configuration files' paths would be read through cut paths.
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        TillLogResource(IDS_LOG_START_REFUSED, static_cast<const char*>(refusal));
        ShowWindowMessage(nullptr, refusal);
    } else if (ReadCatalogue().empty()) {
        // Without the catalogue nothing tells the medium's printers, records and files from others'.
        ShowRefusal(ResourceText(IDS_DROVIX_NO_CATALOGUE));
    } else {
        RunWindow();
    }
    if (!temporaryCopy_.empty()) DeleteTemporaryCopy();
}

void RemovalApp::DeleteTemporaryCopy() {
    // The copy cannot delete itself while it runs: it goes at the next start, moved aside under
    // another name in its folder on the NT family.
    DWORD error = 0;
    std::string scheduled;
    if (DeleteNowOrAtRestart(temporaryCopy_.c_str(), error, &scheduled) == Deletion::Failed) return;
    std::string directory = FolderOf(temporaryCopy_);
    if (!RemoveDirectoryA(directory.c_str()) && HoldsOnly(directory, scheduled))
        MoveFileExA(directory.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

bool RemovalApp::TakeGivenFolder(const std::string& given) {
    char recorded[MAX_PATH];
    if (!RecordedProgramFolder(recorded) || lstrcmpiA(recorded, given.c_str()) != 0) {
        ShowRefusal(FormatResource(IDS_DROVIX_FOLDER_NOT_RECORDED, given.c_str()));
        return false;
    }
    // The copy deletes itself at the end only when it is the copy the removal made and recorded.
    std::string self = ProgramPath();
    if (TakeRemovalCopyRecord(self.c_str())) temporaryCopy_ = self;
    return UseMediumDirectory(given.c_str());
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
            ShowRefusal(ResourceText(IDS_DROVIX_CLOSE_WIZARD));
            return false;
    }
    return false;
}

bool RemovalApp::HandedToTemporaryCopy() {
    std::string self = ProgramPath();
    std::string given = FolderSwitch();
    // The copy works on the configuration files the folder keeps.
    if (!given.empty()) return !TakeGivenFolder(given);
    char folder[MAX_PATH];
    if (self.empty() || !ProgramEntryFolder(folder) || lstrcmpiA(FolderOf(self).c_str(), folder) != 0)
        return false;
    std::string temporary;
    if (!MakeRemovalCopyFolder(temporary)) return false;
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
    if (detected.recognition != SystemRecognition::Recognised) {
        TillLogResource(IDS_LOG_START_REFUSED, ResourceText(IDS_UNSUPPORTED_SYSTEM).c_str());
        return;
    }
    RemovalDialog dialog(detected.system);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}
