// QelvanDeploy models: one line per catalogue model with its category, whether the running system
// supports it, and the ports the port page would offer for it in typical mode, the preselected one
// marked with "*".
#include <string>

#include "choices/InstallRecords.h"
#include "choices/PortOffer.h"
#include "config/ConfigValues.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "usb/UsbDevice.h"

namespace {
// By PrinterCategory.
const UINT kCategoryNames[] = {IDS_DEPLOY_CATEGORY_RECEIPT, IDS_DEPLOY_CATEGORY_TICKET,
                               IDS_DEPLOY_CATEGORY_LABEL, IDS_DEPLOY_CATEGORY_EMBEDDED};

std::string OfferedPorts(const CatalogueModel& model, TargetSystem system, int deviceId) {
    PortOffer offer;
    BuildPortOffer(model.name, system, model.category, Typical, deviceId, offer);
    std::string ports;
    for (int index = 0; index < offer.count; ++index) {
        if (!ports.empty()) ports += " ";
        ports += offer.entries[index];
        if (index == offer.selected) ports += "*";
    }
    return ports;
}
}  // namespace

int RunModelsCommand(const Switches&) {
    TargetSystem system = RunningSystem();
    // One USB query for the whole list, as one arrival at the port page makes one.
    int deviceId = GetUsbDeviceId();
    for (const CatalogueModel& model : ReadCatalogue()) {
        char iniPath[kConfigPathSize];
        char section[200];
        BuildCategoryIniPath(model.category, iniPath);
        BuildPortSection(model.name, section);
        bool supported = SystemRefusal(iniPath, section, system) == 0;
        SayFormatted("%s\t%s\t%s\t%s", ResourceText(kCategoryNames[model.category]).c_str(), model.name,
                     ResourceText(supported ? IDS_DEPLOY_SUPPORTED : IDS_DEPLOY_NOT_SUPPORTED).c_str(),
                     OfferedPorts(model, system, deviceId).c_str());
    }
    return kExitDone;
}
