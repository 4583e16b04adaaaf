#include "engine/InstallationSequence.h"

#include <cctype>
#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"
#include "engine/ComponentInstall.h"
#include "engine/DriverFileCopy.h"
#include "engine/DriverMediumRecord.h"
#include "engine/Registrations.h"
#include "engine/SerialSettings.h"
#include "engine/SpoolerFolders.h"
#include "engine/SpoolerOperations.h"
#include "engine/SystemDriverFiles.h"
#include "engine/SystemFileRecord.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
bool MessageSet(const MessageText& message) {
    return message[0] != '\0';
}

// Places one file in the printer-driver directory; a file in use fails like any other copy, as the
// spooler would take the file that stayed there. The message is tested after each copy, so a text an
// earlier step left (a spooler start refused once) ends the installation there too.
bool PlaceAndTest(const char* name, int targetSystem, MessageText& message) {
    return PlaceDriverFile(name, DriverDirectory, targetSystem, false, message) && !MessageSet(message);
}

// Copies the driver's files into the printer-driver directory: the four required ones (an empty member
// means the configuration lost one), then the optional ones.
bool CopyDriverFiles(const InstallChoices& choices, MessageText& message) {
    const DriverFileList& files = choices.driverFiles;
    const char* required[] = {files.configFile, files.dataFile, files.driverPath, files.helpFile};
    for (const char* name : required) {
        if (name[0] == '\0') {
            LoadResourceText(IDS_DRIVER_FILES_MISSING, message);
            return false;
        }
    }
    for (const char* name : required) {
        if (!PlaceAndTest(name, choices.targetSystem, message)) return false;
    }
    const char* optional[] = {files.dataFileDll, files.dataOemuiDll, files.dataOemuniDll,
                              files.dataOemuniIni};
    for (const char* name : optional) {
        if (!PlaceAndTest(name, choices.targetSystem, message)) return false;
    }
    return true;
}

void Announce(EngineObserver* observer, EngineStep step) {
    if (observer != nullptr) observer->OnStep(step);
}

// Certain Windows 98/Me drivers need the colour library beside them.
bool CopyColourLibrary(const InstallChoices& choices, MessageText& message) {
    if (choices.targetSystem != Windows98Me) return true;
    if (strstr(choices.modelName, "KRP-B200") == nullptr &&
        strstr(choices.modelName, "KRP-A100") == nullptr) {
        return true;
    }
    return PlaceAndTest("DMCOLOR.DLL", choices.targetSystem, message);
}

void RecordUsbPort(const char* portName) {
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\TALVERN\\PRINTERPORT\\")) key.SetDword(portName, 0);
}

// The spooler copies a driver's files into its version folder when the driver is added: what stands
// there under those names before is noted as the copies into the other folders are.
void NoteDriverFilesBeforeRegistration(const DRIVER_INFO_3A& info, int targetSystem) {
    std::string folder = DriverVersionFolderOf(targetSystem);
    if (folder.empty()) return;
    for (const char* file : {info.pDriverPath, info.pDataFile, info.pConfigFile, info.pHelpFile}) {
        if (file != nullptr && file[0] != '\0')
            NoteBeforePlacing(folder + "\\" + FileNameOf(file), targetSystem);
    }
    for (const char* file = info.pDependentFiles; file != nullptr && *file != '\0'; file += strlen(file) + 1)
        NoteBeforePlacing(folder + "\\" + FileNameOf(file), targetSystem);
}
}  // namespace

bool InstallComponents(InstallChoices& choices, MessageText& message, EngineObserver* observer) {
    Announce(observer, EngineStep::PortMonitors);
    int monitors = InstallPortMonitors(choices, choices.targetSystem, choices.portName, message);
    if (monitors == MonitorInstallFailed) return false;
    choices.engineStatus = monitors;
    Announce(observer, EngineStep::PrintProcessor);
    int processor = InstallPrintProcessor(choices.targetSystem, choices.printerInfo.pPrintProcessor,
                                          choices.driverFiles.processorDll, message);
    if (processor == ProcessorInstallFailed) return false;
    choices.engineStatus |= processor;
    int processorVersion = choices.config.GetProcessorVersion();
    if (choices.engineStatus != 0 &&
        !UpdateOutdatedComponent(choices, choices.engineStatus, processorVersion, message)) {
        return false;
    }
    return true;
}

// The serial settings go under the port's "COM" name: "TVCOM2:" is written as "COM2:", port 2.
void WriteChosenSerialSettings(InstallChoices& choices) {
    const char* portKey = SerialSettingsKey(choices.portName);
    if (portKey == nullptr) return;
    int portNumber = SerialPortNumber(choices.portName);
    choices.parity = static_cast<char>(tolower(static_cast<unsigned char>(choices.parity)));
    if (choices.targetSystem == Windows98Me) {
        WriteSerialSettings98(portNumber, portKey, choices.baudRate, choices.dataBits, choices.stopBits,
                              choices.parity, choices.flowControl);
    } else {
        WriteSerialSettingsNT(portKey, choices.baudRate, choices.dataBits, choices.stopBits, choices.parity,
                              choices.flowControl);
    }
}

bool InstallDriver(InstallChoices& choices, bool replaceFiles, MessageText& message,
                   EngineObserver* observer) {
    Announce(observer, EngineStep::DriverFiles);
    if (!CopyDriverFiles(choices, message)) return false;
    bool ddk = choices.config.IsDdkDriver(choices.modelName, choices.targetSystem, choices.gdiDriver);
    if (!InstallSystemDriverFiles(choices.targetSystem, ddk, message) || !CopyColourLibrary(choices, message))
        return false;
    if (ddk && choices.driverFiles.dataFileDll[0] == '\0') {
        LoadResourceText(IDS_DRIVER_FILES_MISSING, message);
        return false;
    }
    Announce(observer, EngineStep::Driver);
    NoteDriverFilesBeforeRegistration(choices.driverInfo, choices.targetSystem);
    if (!AddDriver(choices.driverInfo, message, replaceFiles)) return false;
    // Both programs of a medium add drivers here: the record tells a later, older medium to keep off.
    RecordDriverMedium(choices.driverInfo.pName);
    return true;
}

bool InstallPrinter(InstallChoices& choices, MessageText& message, EngineObserver* observer) {
    choices.engineStatus = 0;
    if (!InstallComponents(choices, message, observer)) return false;
    if (choices.portKind == Usb && !CheckPortEnumeration(message)) return false;
    if (!InstallDriver(choices, false, message, observer)) return false;
    if (choices.portKind == Usb) RecordUsbPort(choices.portName);

    // A second printer on the same USB port is refused; serial and parallel printers are numbered.
    Announce(observer, EngineStep::Printer);
    if (!CreatePrinter(choices.printerInfo, 2, choices.portKind == Usb, message)) return false;
    CopyText(choices.printerName, choices.printerInfo.pPrinterName);
    if (choices.printerName[0] == '\0') {
        // Never report an installation without a printer name as a success.
        LoadResourceText(IDS_ADD_PRINTER_FAILED, message);
        return false;
    }
    if (choices.setAsDefault) {
        Announce(observer, EngineStep::DefaultPrinter);
        MakeDefaultPrinter(choices.printerName);
    }
    if (choices.portKind == Serial) {
        Announce(observer, EngineStep::SerialSettings);
        WriteChosenSerialSettings(choices);
    }

    // On Windows 98/Me the Install command shows its own success text unless a step left one.
    if (choices.targetSystem != Windows98Me) {
        LoadResourceText(choices.portKind == Usb ? IDS_INSTALL_SUCCEEDED_RESET : IDS_INSTALL_SUCCEEDED,
                         message);
    }
    return true;
}

UINT RunInstallation(LPVOID parameter) {
    EngineTask* task = static_cast<EngineTask*>(parameter);
    bool succeeded = InstallPrinter(*task->choices, resultMessage, task->observer);
    *task->finishState = succeeded ? Succeeded : Failed;
    return 0;
}
