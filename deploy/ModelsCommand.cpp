// QelvanDeploy models: one line per catalogue model with its category, whether the running system
// supports it, and the ports the port page would offer for it in typical mode, the preselected one
// marked with "*".
#include <string>

#include "choices/InstallRecords.h"
#include "choices/PortOffer.h"
#include "config/ConfigValues.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/ExitCodes.h"
#include "usb/UsbDevice.h"

namespace {
const char* const kCategoryNames[] = {"票据打印机", "票券打印机", "标签打印机", "嵌入式打印机"};

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
        SayFormatted("%s\t%s\t%s\t%s", kCategoryNames[model.category], model.name,
                     supported ? "支持" : "不支持", OfferedPorts(model, system, deviceId).c_str());
    }
    return kExitDone;
}
