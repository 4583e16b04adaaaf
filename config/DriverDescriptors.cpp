// The driver descriptor readers of SetupConfig: they turn a model's descriptor section and the common
// file's monitor and processor sections into the spooler's records.
#include <cstring>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"
#include "config/SetupConfig.h"

namespace {
// The spooler records take writable texts; these are never written through.
char kWindows40[] = "Windows 4.0";
char kRawDatatype[] = "RAW";

char* EnvironmentFor(int targetSystem) {
    return targetSystem == Windows98Me ? kWindows40 : nullptr;
}

DWORD DriverVersionFor(int targetSystem) {
    switch (targetSystem) {
        case Windows98Me:
            return 0;
        case WindowsNT4:
            return 2;
        default:
            return 3;
    }
}

bool IsFamily(int gdiDriver) {
    return gdiDriver == 0 || gdiDriver == 1;
}

// Appends one name and its terminating zero to a zero-separated list, keeping room for the list's
// closing zero. used is the number of bytes the list holds so far.
void AppendListEntry(char* list, size_t capacity, size_t& used, const char* name) {
    size_t length = strlen(name);
    if (used + length + 2 > capacity) return;
    memcpy(list + used, name, length + 1);
    used += length + 1;
    list[used] = '\0';
}
}  // namespace

void SetupConfig::ReadDriverFiles(const char* modelName, int targetSystem, DriverFileList& files,
                                  int gdiDriver) {
    currentFile[0] = '\0';
    char section[200];
    BuildDescriptorSection(modelName, targetSystem, section);
    ChooseCategoryFile();
    if (!IsFamily(gdiDriver)) return;
    struct Entry {
        const char* key;
        char* member;
    } entries[] = {
        {"DataFile", files.dataFile},           {"ConfigFile", files.configFile},
        {"HelpFile", files.helpFile},           {"ProcessorDLLName", files.processorDll},
        {"DriverPath", files.driverPath},       {"DataFileDLLName", files.dataFileDll},
        {"DataOemuiDLL", files.dataOemuiDll},   {"DataOemuniDLL", files.dataOemuniDll},
        {"DataOemuniini", files.dataOemuniIni},
    };
    for (const Entry& entry : entries) ReadFamilyKey(section, gdiDriver, entry.key, entry.member, 200);
}

void SetupConfig::ReadDriverInfo(const char* modelName, int targetSystem, DRIVER_INFO_3A& info,
                                 int gdiDriver) {
    currentFile[0] = '\0';
    info.cVersion = DriverVersionFor(targetSystem);
    char section[200];
    BuildDescriptorSection(modelName, targetSystem, section);
    ChooseCategoryFile();
    if (IsFamily(gdiDriver)) {
        ReadFamilyKey(section, gdiDriver, "DriverName", driverName, sizeof driverName);
        ReadFamilyKey(section, gdiDriver, "DataFile", dataFile, sizeof dataFile);
        ReadFamilyKey(section, gdiDriver, "DriverPath", driverPath, sizeof driverPath);
        ReadFamilyKey(section, gdiDriver, "HelpFile", helpFile, sizeof helpFile);
        ReadFamilyKey(section, gdiDriver, "ConfigFile", configFile, sizeof configFile);
        ReadFamilyKey(section, gdiDriver, "DataFileDLLName", dataFileDll, sizeof dataFileDll);
        ReadFamilyKey(section, gdiDriver, "DataOemuiDLL", dataOemuiDll, sizeof dataOemuiDll);
        ReadFamilyKey(section, gdiDriver, "DataOemuniDLL", dataOemuniDll, sizeof dataOemuniDll);
        ReadFamilyKey(section, gdiDriver, "DataOemuniini", dataOemuniIni, sizeof dataOemuniIni);
    }
    info.pEnvironment = EnvironmentFor(targetSystem);
    info.pName = driverName;
    info.pDriverPath = driverPath;
    info.pDataFile = dataFile;
    info.pConfigFile = configFile;
    info.pHelpFile = helpFile;

    BuildDependentFiles(section, targetSystem);
    info.pDependentFiles = dependentFiles;
}

// The dependent files of a driver built on the system's shared driver base (Windows 2000 and later).
// GDI2KDDKDEV decides for both key families.
void SetupConfig::BuildDependentFiles(const char* section, int targetSystem) {
    char ddkText[10];
    ReadCategoryKey(section, "GDI2KDDKDEV", ddkText, sizeof ddkText);
    memset(dependentFiles, 0, sizeof dependentFiles);
    bool sharedBase = targetSystem >= Windows2000 && targetSystem <= WindowsVista;
    if (DecimalValue(ddkText) == 0 || !sharedBase) return;
    size_t used = 0;
    const char* required[] = {dataFile, "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"};
    for (const char* name : required) AppendListEntry(dependentFiles, sizeof dependentFiles, used, name);
    const char* optional[] = {dataFileDll, dataOemuiDll, dataOemuniDll, dataOemuniIni};
    for (const char* name : optional) {
        if (name[0] != '0' && name[0] != '\0')
            AppendListEntry(dependentFiles, sizeof dependentFiles, used, name);
    }
}

void SetupConfig::ReadPrinterInfo(const char* modelName, int targetSystem, PRINTER_INFO_2A& info,
                                  int gdiDriver) {
    currentFile[0] = '\0';
    ChooseCategoryFile();
    char section[200];
    BuildDescriptorSection(modelName, targetSystem, section);
    if (IsFamily(gdiDriver)) {
        ReadFamilyKey(section, gdiDriver, "DRIVERNAME", printerDriverName, sizeof printerDriverName);
        ReadFamilyKey(section, gdiDriver, "PrintProcessor", printProcessor, sizeof printProcessor);
        ReadCategoryKey(section, "ATTRIBUTES", attributesText, sizeof attributesText);
    }
    info.Attributes = static_cast<DWORD>(DecimalValue(attributesText));
    info.pDriverName = printerDriverName;
    info.pPrintProcessor = printProcessor;
    // The spooler's default data type; Windows uses it for a null value anyway, and a spooler that
    // requires one then accepts the record.
    info.pDatatype = kRawDatatype;
    // The Install command appends the port suffix to this copy in place.
    CopyText(printerName, modelName);
    info.pPrinterName = printerName;
}

bool SetupConfig::IsDdkDriver(const char* modelName, int targetSystem, int gdiDriver) {
    currentFile[0] = '\0';
    char section[200];
    BuildDescriptorSection(modelName, targetSystem, section);
    ChooseCategoryFile();
    if (!IsFamily(gdiDriver)) return false;
    char value[5];
    ReadFamilyKey(section, gdiDriver, "2KDDKDEV", value, sizeof value);
    return value[0] == '1';
}

void SetupConfig::ReadMonitorInfo(int targetSystem, MonitorDescriptors& monitors) {
    char section[30];
    const char* suffix = SystemSuffix(targetSystem);
    FormatText(section, sizeof section, suffix ? "COMMON-MONITOR.%s" : "COMMON-MONITOR", suffix);
    struct Monitor {
        const char* keyPrefix;
        MONITOR_INFO_2A& record;
        char* name;
        size_t nameSize;
        char* dll;
        size_t dllSize;
        char* uiDll;
        int& version;
    } parts[] = {
        {"USBMONitor", monitors.usbMonitor, usbMonitorName, sizeof usbMonitorName, usbMonitorDll,
         sizeof usbMonitorDll, monitors.usbMonitorUiDll, monitors.usbMonitorVersion},
        {"COMMONitor", monitors.comMonitor, comMonitorName, sizeof comMonitorName, comMonitorDll,
         sizeof comMonitorDll, monitors.comMonitorUiDll, monitors.comMonitorVersion},
    };
    for (const Monitor& monitor : parts) {
        char key[40];
        char version[10];
        FormatText(key, sizeof key, "%sPName", monitor.keyPrefix);
        ReadCommonKey(section, key, monitor.name, monitor.nameSize);
        FormatText(key, sizeof key, "%sPDLLName", monitor.keyPrefix);
        ReadCommonKey(section, key, monitor.dll, monitor.dllSize);
        FormatText(key, sizeof key, "%sPUIDLLName", monitor.keyPrefix);
        ReadCommonKey(section, key, monitor.uiDll, 50);  // the file holds at most 49 characters here
        FormatText(key, sizeof key, "%sVersion", monitor.keyPrefix);
        ReadCommonKey(section, key, version, sizeof version);
        monitor.version = DecimalValue(version);
        monitor.record.pName = monitor.name;
        monitor.record.pDLLName = monitor.dll;
        monitor.record.pEnvironment = EnvironmentFor(targetSystem);
    }
}

int SetupConfig::GetProcessorVersion() {
    char version[12];
    ReadCommonKey("ProcessorVersion", "DriverVersion", version, sizeof version);
    return DecimalValue(version);
}
