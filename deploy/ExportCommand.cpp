// QelvanDeploy export: this machine's printers whose driver the medium names, written as a profile
// file that apply makes another machine match: for each its model, the port as the port page offers
// it, the install mode, whether it is the default printer and the serial settings in force on it. A
// file that is not the whole till ends with 1603; with none of the medium's printers none is written.
#include "choices/InstallRecords.h"
#include "choices/InstallRules.h"
#include "choices/PortOffer.h"
#include "config/ConfigValues.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/PersonalDefault.h"
#include "deploy/PrinterInstall.h"
#include "deploy/ProfileFile.h"
#include "removal/MediumNames.h"
#include "engine/SerialSettings.h"
#include "usb/UsbDevice.h"

namespace {
// The offered entry whose port the printer sits on, and whether only the advanced mode offers it.
bool FindOfferedPort(const CatalogueModel& model, TargetSystem system, const std::string& port,
                     InstallRequest& request) {
    for (InstallMode mode : {Typical, Advanced}) {
        PortOffer offer;
        BuildPortOffer(model.name, system, model.category, mode, NoUsbDevice, offer);
        for (int index = 0; index < offer.count; ++index) {
            if (lstrcmpiA(PortNameForEntry(offer.entries[index]).c_str(), port.c_str()) != 0) continue;
            request.port.text = offer.entries[index];
            request.advanced = mode == Advanced;
            return true;
        }
    }
    return false;
}

// The catalogue's model whose driver (of the port's family) the printer uses on a port it offers.
bool FindModelOf(const SystemPrinter& printer, const std::vector<CatalogueModel>& catalogue,
                 TargetSystem system, InstallRequest& request) {
    SetupConfig config;
    for (const CatalogueModel& model : catalogue) {
        config.currentCategory = model.category;
        DRIVER_INFO_3A driver = {};
        config.ReadDriverInfo(model.name, system, driver, GdiDriverForPort(printer.port.c_str()));
        if (driver.pName == nullptr || lstrcmpiA(driver.pName, printer.driver.c_str()) != 0) continue;
        if (!FindOfferedPort(model, system, printer.port, request)) continue;
        request.model.text = model.name;
        return true;
    }
    return false;
}

// The settings in force on a serial port, in the texts the switches take; none when the system keeps
// none for the port. A setting the port page's lists do not hold (set by hand in the port's record) is
// said and left out: applying the file leaves it as it is, and no till refuses the file for it. False
// when one was left out.
bool TakeSerialSettings(const SystemPrinter& printer, TargetSystem system, InstallRequest& request) {
    size_t com = printer.port.find("COM");
    SerialSettingsChoice settings;
    if (com == std::string::npos ||
        !ReadSerialSettings(printer.port.c_str() + com, system == Windows98Me, settings.baudRate,
                            settings.dataBits, settings.stopBits, settings.parity, settings.flowControl)) {
        return true;
    }
    bool whole = true;
    for (int index = 0; index < kSerialListCount; ++index) {
        SerialList list = static_cast<SerialList>(index);
        std::string text = SerialTextOf(list, settings);
        if (OfferedSerialText(list, text.c_str()) != nullptr) {
            request.serial[index].text = text;
            continue;
        }
        std::string offered = SerialListTexts(list, ResourceText(IDS_DEPLOY_LIST_SEPARATOR).c_str());
        SayResourceFormatted(IDS_EXPORT_SERIAL_LEFT_OUT, printer.name.c_str(), printer.port.c_str(),
                             ProfileSerialKey(list), text.c_str(), offered.c_str());
        whole = false;
    }
    return whole;
}

}  // namespace

int RunExportCommand(const Switches& switches) {
    std::string path = PathFromStart(switches.Value("file"));
    TargetSystem system = RunningSystem();
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return kExitFailed;
    MediumNames names = ReadMediumNames(system);
    std::vector<CatalogueModel> catalogue = ReadCatalogue();
    std::vector<InstallRequest> profile;
    bool failed = false;
    for (const SystemPrinter& printer : printers) {
        if (!ListedIn(names.drivers, printer.driver)) continue;
        InstallRequest request;
        if (!FindModelOf(printer, catalogue, system, request)) {
            SayResourceFormatted(IDS_EXPORT_NOT_OF_MEDIUM, printer.name.c_str(), printer.driver.c_str(),
                                 printer.port.c_str());
            failed = true;
            continue;
        }
        request.setDefault =
            printer.isDefault && DefaultPrinterIsAPersons(ResourceText(IDS_EXPORT_NO_DEFAULT).c_str());
        if (ReactionToPort(request.port.text.c_str()) == PortReaction::SerialPort &&
            !TakeSerialSettings(printer, system, request))
            failed = true;
        profile.push_back(request);
        SayResourceFormatted(IDS_EXPORT_PRINTER, printer.name.c_str(), request.model.text.c_str(),
                             request.port.text.c_str());
    }
    // A machine without the medium's printers is the wrong one or not set up yet: its empty profile
    // would empty every till applying it with /exact. Printers=0 is a person's word, written by hand.
    if (profile.empty()) {
        SayResourceFormatted(IDS_EXPORT_NOTHING_WRITTEN, path.c_str());
        return kExitFailed;
    }
    if (!WriteProfile(path.c_str(), profile)) return kExitFailed;
    SayResourceFormatted(IDS_EXPORT_WRITTEN, path.c_str(), static_cast<unsigned>(profile.size()));
    return failed ? kExitFailed : kExitDone;
}
