#include "deploy/DeployMedium.h"

#include <windows.h>

#include "common/BoundedText.h"
#include "common/FileNames.h"
#include "config/ConfigValues.h"
#include "config/MediumPaths.h"
#include "config/PortRegistry.h"
#include "config/SetupConfig.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
TargetSystem runningSystem = Windows98Me;
std::string startDirectory;

void SwallowMessage(const char*) {}

}  // namespace

bool OpenMedium(const char* directory) {
    char start[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof start, start);
    if (length > 0 && length < sizeof start) startDirectory = start;
    char medium[kConfigPathSize] = {};
    if (directory == nullptr) {
        GetProgramDirectory(medium);
    } else {
        DWORD length = GetFullPathNameA(directory, sizeof medium, medium, nullptr);
        if (length == 0 || length >= sizeof medium || !UseMediumDirectory(medium)) {
            SayResourceFormatted(IDS_DEPLOY_MEDIUM_UNREADABLE, directory);
            return false;
        }
    }
    if (!SetCurrentDirectoryA(medium)) {
        SayResourceWithError(IDS_DEPLOY_MEDIUM_NOT_ENTERED, GetLastError());
        return false;
    }
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        Say(refusal);
        return false;
    }
    char commonPath[kConfigPathSize];
    char categoryPath[kConfigPathSize];
    BuildConfigPaths(-1, commonPath, categoryPath);
    if (!IsPlainFile(commonPath) || ReadCatalogue().empty()) {
        SayResourceFormatted(IDS_DEPLOY_NO_CATALOGUE, commonPath);
        return false;
    }
    return true;
}

bool CheckRunningSystem() {
    // The wizard's text for a system it does not support asks a person to click its button: the
    // program says it in its own words instead.
    RouteMessagesTo(SwallowMessage);
    DetectedSystem detected = DetectSystem();
    RouteMessagesToOutput();
    runningSystem = detected.system;
    if (detected.recognition == SystemRecognition::Recognised) return true;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    SayResourceFormatted(IDS_DEPLOY_SYSTEM_NOT_SUPPORTED, static_cast<unsigned long>(version.dwMajorVersion),
                         static_cast<unsigned long>(version.dwMinorVersion));
    return false;
}

TargetSystem RunningSystem() {
    return runningSystem;
}

bool FindModel(const char* name, CatalogueModel& model) {
    for (const CatalogueModel& each : ReadCatalogue()) {
        if (lstrcmpiA(each.name, name) != 0) continue;
        model = each;
        return true;
    }
    return false;
}

std::string PathFromStart(const char* path) {
    std::string given = path != nullptr ? path : "";
    bool absolute = given.size() >= 2 && (given[1] == ':' || (given[0] == '\\' && given[1] == '\\'));
    if (absolute || startDirectory.empty()) return given;
    if (!given.empty() && given[0] == '\\') return startDirectory.substr(0, 2) + given;
    std::string base = startDirectory;
    if (base.back() != '\\') base += '\\';
    return base + given;
}

bool ListSystemPrinters(std::vector<SystemPrinter>& printers) {
    DWORD error = 0;
    if (ReadSystemPrinters(printers, error)) return true;
    SayResourceWithError(IDS_DEPLOY_PRINTERS_NOT_LISTED, error);
    return false;
}
