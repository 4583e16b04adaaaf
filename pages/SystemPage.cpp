#include "pages/SystemPage.h"

#include "common/ResourceText.h"
#include "common/TillLog.h"
#include "config/PortRegistry.h"
#include "resources/ResourceIds.h"
#include "resources/PageControlIds.h"

namespace {
// The radio button of each TargetSystem, indexed by its value.
const int kSystemIds[] = {IDC_WIN98ME, IDC_WINNT4, IDC_WIN2000, IDC_WINXP, IDC_WIN2003, IDC_VISTA};
constexpr int kSystemCount = 6;

// The till's log: the system detected, or the platform and version that were not recognised.
void LogDetectedSystem(const DetectedSystem& detected) {
    if (detected.recognition == SystemRecognition::Recognised) {
        TillLogResource(IDS_LOG_SYSTEM_DETECTED, SystemName(detected.system).c_str());
        return;
    }
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    TillLogResource(IDS_LOG_SYSTEM_UNKNOWN, version.dwPlatformId, version.dwMajorVersion,
                    version.dwMinorVersion);
}
}  // namespace

std::string SystemName(int targetSystem) {
    static const UINT kNames[] = {IDS_LOG_SYSTEM_98_ME, IDS_LOG_SYSTEM_NT4,  IDS_LOG_SYSTEM_2000,
                                  IDS_LOG_SYSTEM_XP,    IDS_LOG_SYSTEM_2003, IDS_LOG_SYSTEM_VISTA};
    return targetSystem >= 0 && targetSystem < kSystemCount ? ResourceText(kNames[targetSystem]) : "?";
}

SystemPage::SystemPage(UINT templateId) : CDialog(templateId), targetSystem(Windows98Me) {}

BOOL SystemPage::OnInitDialog() {
    CDialog::OnInitDialog();
    DetectedSystem detected = DetectSystem();
    LogDetectedSystem(detected);
    targetSystem = detected.system;
    int shown = targetSystem >= 0 && targetSystem < kSystemCount ? targetSystem : Windows98Me;
    if (detected.recognition == SystemRecognition::Recognised) {
        // The Vista button lies beyond the Server 2003 one: the range reaches it only when needed.
        int last = targetSystem == WindowsVista ? IDC_VISTA : IDC_WIN2003;
        CheckRadioButton(IDC_WIN98ME, last, kSystemIds[shown]);
    }
    for (int system = 0; system < kSystemCount; ++system)
        if (system != shown) ::EnableWindow(GetDlgItem(kSystemIds[system]), FALSE);
    return TRUE;
}
