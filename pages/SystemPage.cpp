#include "pages/SystemPage.h"

#include "config/PortRegistry.h"
#include "resources/PageControlIds.h"

namespace {
// The radio button of each TargetSystem, indexed by its value.
const int kSystemIds[] = {IDC_WIN98ME, IDC_WINNT4, IDC_WIN2000, IDC_WINXP, IDC_WIN2003, IDC_VISTA};
constexpr int kSystemCount = 6;
}  // namespace

SystemPage::SystemPage(UINT templateId) : CDialog(templateId), targetSystem(Windows98Me) {}

BOOL SystemPage::OnInitDialog() {
    CDialog::OnInitDialog();
    DetectedSystem detected = DetectSystem();
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
