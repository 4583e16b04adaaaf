#pragma once
// The reader of the installation medium's configuration files (DRVCONFIG\setup.ini and one file per
// printer category). It holds the files' paths and the text buffers that the descriptor readers fill;
// the spooler records they fill point into these buffers, so a record stays valid only as long as its
// SetupConfig and until the next read of the same kind.

#include <windows.h>
#include <winspool.h>

#include "common/SharedTypes.h"

// Every path below the installation medium: the room the system's ANSI file functions allow
// (MAX_PATH, terminator included). MediumPathsFit refuses a medium whose paths would not fit.
constexpr size_t kConfigPathSize = MAX_PATH;
// Room for the longest dependent-file list the keys can produce: the data file, the three base files
// and the four optional files, each up to 199 characters with its terminator, and the closing zero.
constexpr size_t kDependentFilesSize = 5 * 200 + 3 * 16 + 1;

// The file names of the chosen driver that the engine copies; filled by ReadDriverFiles.
struct DriverFileList {
    char driverPath[200];
    char dataFile[200];
    char configFile[200];
    char helpFile[200];
    char processorDll[200];
    char dataFileDll[200];
    char dataOemuniDll[200];
    char dataOemuniIni[200];
    char dataOemuiDll[200];
};

// The serial-port and USB-port monitors of one system; filled by ReadMonitorInfo.
struct MonitorDescriptors {
    MONITOR_INFO_2A comMonitor;
    MONITOR_INFO_2A usbMonitor;
    char comMonitorUiDll[200];
    char usbMonitorUiDll[200];
    int comMonitorVersion;
    int usbMonitorVersion;
};

// Fills commonPath with the program directory followed by "DRVCONFIG\setup.ini" and categoryPath with
// the program directory followed by the category's file ("DRVCONFIG\setup_receipt.ini", ...); for a
// category outside 0..3 categoryPath holds the directory alone. A path that does not fit is left
// empty, so every key read from it yields its default instead of a read from a cut path.
void BuildConfigPaths(int category, char (&commonPath)[kConfigPathSize],
                      char (&categoryPath)[kConfigPathSize]);

// The most catalogue entries a reader goes through. A medium lists a few dozen models; a damaged
// DEVICENUMBER must not keep the wizard reading the profile, one entry at a time, for hours.
constexpr int kCatalogueEntryLimit = 1000;

// How many entries (1 up to the result) a reader goes through for the count under DEVICENUMBER: none
// for a count below 1, at most kCatalogueEntryLimit.
int CatalogueEntriesToRead(int deviceCount);

class SetupConfig {
public:
    SetupConfig();
    virtual ~SetupConfig();
    SetupConfig(const SetupConfig&) = delete;
    SetupConfig& operator=(const SetupConfig&) = delete;

    // Driver descriptor sets, read from the model's section for the system in the current category
    // file. gdiDriver 1 reads the GDI key family, 0 the STD family, any other value nothing.
    void ReadDriverFiles(const char* modelName, int targetSystem, DriverFileList& files, int gdiDriver);
    void ReadDriverInfo(const char* modelName, int targetSystem, DRIVER_INFO_3A& info, int gdiDriver);
    void ReadPrinterInfo(const char* modelName, int targetSystem, PRINTER_INFO_2A& info, int gdiDriver);
    bool IsDdkDriver(const char* modelName, int targetSystem, int gdiDriver);

    // Readers of the common file.
    void ReadMonitorInfo(int targetSystem, MonitorDescriptors& monitors);
    int GetProcessorVersion();

    // The printer catalogue (section DEVICENAME of the common file). GetDeviceName and
    // GetDefaultDevice return the entry's PrinterCategory, or -1 when it has no known suffix.
    // name receives the model name (at most 199 characters for an entry, 259 for the default entry,
    // and never more than its capacity).
    int GetDeviceCount();
    int GetDeviceName(int entry, char* name, size_t capacity);
    int GetDefaultDevice(char* name, size_t capacity);
    template <size_t N>
    int GetDeviceName(int entry, char (&name)[N]) {
        return GetDeviceName(entry, name, N);
    }
    template <size_t N>
    int GetDefaultDevice(char (&name)[N]) {
        return GetDefaultDevice(name, N);
    }

    // Descriptor buffers, in this order.
    char driverName[50];
    char dataFile[200];
    char driverPath[200];
    char helpFile[200];
    char configFile[200];
    char dataFileDll[200];
    char dataOemuiDll[200];
    char dataOemuniDll[200];
    char dataOemuniIni[200];
    char dependentFiles[kDependentFilesSize];
    char usbMonitorName[50];
    char usbMonitorDll[200];
    char comMonitorName[50];
    char comMonitorDll[200];
    char printerDriverName[50];
    char attributesText[50];
    char printProcessor[50];
    char printerName[200];

    int currentCategory;                     // category whose file the category readers use; set by the owner
    char currentFile[kConfigPathSize];       // category file of the read in progress
    char categoryFiles[4][kConfigPathSize];  // relative names, indexed by PrinterCategory
    char commonFile[kConfigPathSize];        // working directory + "\DRVCONFIG\setup.ini"; empty when
                                             // that path does not fit

private:
    void ChooseCategoryFile();
    // Read one key of the current category file or of the common file with the default "0".
    void ReadCategoryKey(const char* section, const char* key, char* buffer, size_t capacity);
    void ReadCommonKey(const char* section, const char* key, char* buffer, size_t capacity);
    // Reads one key of the chosen family ("GDI" or "STD" followed by suffix).
    void ReadFamilyKey(const char* section, int gdiDriver, const char* suffix, char* buffer, size_t capacity);
    void BuildDependentFiles(const char* section, int targetSystem);
};
