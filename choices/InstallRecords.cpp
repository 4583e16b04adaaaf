#include "choices/InstallRecords.h"

#include "choices/InstallRules.h"
#include "config/ConfigValues.h"
#include "config/PortRegistry.h"
#include "resources/ResourceIds.h"

UINT SystemRefusal(const char* iniPath, const char* section, int targetSystem) {
    if (targetSystem == WindowsServer2003 && ReadSectionValue(iniPath, section, "System2003Supported") == 0)
        return IDS_NO_SERVER_2003;
    if (targetSystem == WindowsVista && ReadSectionValue(iniPath, section, "SystemVistaSupported") == 0)
        return IDS_NO_VISTA;
    return 0;
}

bool AdvancedModeOffered(const char* iniPath, const char* section) {
    return ReadSectionValue(iniPath, section, "AdvancedSetup") != 0;
}

void FillInstallRecords(InstallChoices& choices) {
    choices.driverFiles = DriverFileList{};
    choices.driverInfo = DRIVER_INFO_3A{};
    choices.monitorInfo = MONITOR_INFO_2A{};
    choices.printerInfo = PRINTER_INFO_2A{};
    choices.config.ReadDriverFiles(choices.modelName, choices.targetSystem, choices.driverFiles,
                                   choices.gdiDriver);
    choices.config.ReadDriverInfo(choices.modelName, choices.targetSystem, choices.driverInfo,
                                  choices.gdiDriver);
    choices.config.ReadPrinterInfo(choices.modelName, choices.targetSystem, choices.printerInfo,
                                   choices.gdiDriver);
    choices.printerInfo.pPortName = choices.portName;
}

void ApplyPortNaming(InstallChoices& choices) {
    char* printerName = choices.config.printerName;
    size_t capacity = sizeof choices.config.printerName;
    AppendPortSuffix(printerName, capacity, choices.portKind, choices.portName);
    if (choices.portKind != Usb) return;
    if (BuildUsbPortAlias(choices.portName, choices.usbPortAlias, sizeof choices.usbPortAlias)) {
        choices.printerInfo.pPortName = choices.usbPortAlias;
    }
    RegisterUsbPortDevice(choices.printerInfo.pPortName);
}
