#include "uninstall/RemovalApp.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/SingleInstance.h"
#include "config/ConfigValues.h"
#include "config/MediumPaths.h"
#include "config/PortRegistry.h"
#include "framework/MessageBoxes.h"
#include "removal/ProgramEntry.h"
#include "resources/ResourceIds.h"
#include "uninstall/RemovalDialog.h"

namespace {
const char kCloseWizardText[] = "请先关闭Qelvan安装程序!";
// The switch by which the temporary copy learns the folder it works on.
const char kFolderSwitch[] = "/folder:";
const char kTemporaryFolder[] = "QelvanRemoval";

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
        return FALSE;
    }
    RunWindow();
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
            ShowAppMessage(kCloseWizardText);
            return false;
    }
    return false;
}

bool RemovalApp::HandedToTemporaryCopy() {
    std::string self = ProgramPath();
    std::string given = FolderSwitch();
    if (!given.empty()) {
        // The copy works on the configuration files the folder keeps.
        temporaryCopy_ = self;
        UseMediumDirectory(given.c_str());
        return false;
    }
    char folder[MAX_PATH];
    if (self.empty() || !ProgramEntryFolder(folder) || lstrcmpiA(DirectoryOf(self).c_str(), folder) != 0)
        return false;
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length >= sizeof temporary || !AppendText(temporary, kTemporaryFolder)) return false;
    CreateDirectoryA(temporary, nullptr);
    std::string copy = std::string(temporary) + "\\" + kRemovalWindowFile;
    if (!CopyFileA(self.c_str(), copy.c_str(), FALSE)) return false;
    std::string command = "\"" + copy + "\" " + kFolderSwitch + "\"" + folder + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // The copy takes the removal window's mutex itself: it is let go first.
    CloseHandle(mutex_);
    mutex_ = nullptr;
    if (!CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, temporary, &startup,
                        &process)) {
        // No copy runs: this program does the removal itself, from the folder.
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
