#include "checker/MediumCheck.h"

#include "checker/CatalogueCheck.h"
#include "checker/CheckerTextIds.h"
#include "checker/ComponentCheck.h"
#include "checker/MediumFiles.h"
#include "checker/ModelCheck.h"
#include "removal/CompanionPrograms.h"

namespace {
// The category files the catalogue's models use; a missing one is reported once.
void CheckCategoryFiles(const std::vector<CheckedModel>& models, bool (&present)[4], Findings& findings) {
    bool used[4] = {};
    for (const CheckedModel& model : models) used[model.category] = true;
    for (int category = Receipt; category <= Embedded; ++category) {
        char file[kMediumPathSize];
        CategoryFileName(category, file);
        present[category] = MediumFileExists(file);
        if (used[category] && !present[category])
            findings.Error(file, nullptr, nullptr, IDS_CHECKER_CATEGORY_FILE_MISSING);
    }
}

bool AnyUsbModel(const SystemNeeds& needs) {
    for (bool usb : needs.usbMonitor) {
        if (usb) return true;
    }
    return false;
}

// The files the wizard itself opens: without the licence text or the banner it ends at once; without
// the medium's USB kernel driver its port page never asks for an installation or upgrade of it.
void CheckWizardFiles(const SystemNeeds& needs, Findings& findings) {
    if (!MediumFileExists("License.txt"))
        findings.Error("License.txt", nullptr, nullptr, IDS_CHECKER_WIZARD_FILE_MISSING);
    if (!MediumFileExists("DRVCONFIG\\Left.bmp"))
        findings.Error("DRVCONFIG\\Left.bmp", nullptr, nullptr, IDS_CHECKER_WIZARD_FILE_MISSING);
    if (AnyUsbModel(needs) && !MediumFileExists("USBDRV\\bulkusb.sys")) {
        findings.Warning("USBDRV\\bulkusb.sys", nullptr, nullptr, IDS_CHECKER_USB_DRIVER_MISSING);
    }
}

// The entry in the list of installed programs is written only once both programs beside the wizard
// are copied into the program files folder, from where the entry's removal commands start them
// (removal/FolderFiles.cpp). Without either, the wizard still installs printers and ends with its success
// message, but registers no entry and says nothing of it; QelvanDeploy's commands (installation and
// removal without questions) need their program too.
void CheckCompanionPrograms(Findings& findings) {
    if (!MediumFileExists(kRemovalWindowFile))
        findings.Warning(kRemovalWindowFile, nullptr, nullptr, IDS_CHECKER_REMOVAL_WINDOW_MISSING);
    if (!MediumFileExists(kDeployProgramFile))
        findings.Warning(kDeployProgramFile, nullptr, nullptr, IDS_CHECKER_DEPLOY_PROGRAM_MISSING);
}
}  // namespace

int CheckMedium(Findings& findings) {
    // Constructed here, in the medium directory, as the wizard constructs its own.
    SetupConfig config;
    std::vector<CheckedModel> models = CheckCatalogue(config, findings);
    bool present[4] = {};
    CheckCategoryFiles(models, present, findings);
    SystemNeeds needs;
    for (const CheckedModel& model : models) {
        if (present[model.category]) CheckModel(config, model, needs, findings);
    }
    CheckComponents(config, needs, findings);
    CheckWizardFiles(needs, findings);
    CheckCompanionPrograms(findings);
    return findings.ErrorCount();
}
