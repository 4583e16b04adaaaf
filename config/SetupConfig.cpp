#include "config/SetupConfig.h"

#include <cstring>

#include "common/BoundedText.h"

template <typename Buffer>
static void Clear(Buffer& buffer) {
    memset(buffer, 0, sizeof buffer);
}

SetupConfig::SetupConfig() {
    // Every buffer starts empty; currentCategory names no file until the owner sets it.
    Clear(driverName), Clear(dataFile), Clear(driverPath), Clear(helpFile), Clear(configFile);
    Clear(dataFileDll), Clear(dataOemuiDll), Clear(dataOemuniDll), Clear(dataOemuniIni);
    Clear(dependentFiles), Clear(usbMonitorName), Clear(usbMonitorDll), Clear(comMonitorName);
    Clear(comMonitorDll), Clear(printerDriverName), Clear(attributesText), Clear(printProcessor);
    Clear(printerName), Clear(currentFile), Clear(categoryFiles), Clear(commonFile);
    currentCategory = -1;

    // The common file follows the working directory; the category files stay relative, and the
    // profile functions resolve a name with a backslash against the working directory too.
    // A working directory that does not fit, or leaves no room for the name, leaves commonFile empty:
    // its keys then read as their defaults rather than from a cut path naming another file.
    DWORD length = GetCurrentDirectoryA(sizeof commonFile, commonFile);
    if (length == 0 || length >= sizeof commonFile || !AppendText(commonFile, "\\DRVCONFIG\\setup.ini"))
        commonFile[0] = '\0';
    CopyText(categoryFiles[Receipt], "DRVCONFIG\\setup_receipt.ini");
    CopyText(categoryFiles[Ticket], "DRVCONFIG\\setup_ticket.ini");
    CopyText(categoryFiles[Label], "DRVCONFIG\\setup_lable.ini");
    CopyText(categoryFiles[Embedded], "DRVCONFIG\\setup_embedded.ini");
}

SetupConfig::~SetupConfig() = default;

void SetupConfig::ChooseCategoryFile() {
    currentFile[0] = '\0';
    if (currentCategory >= Receipt && currentCategory <= Embedded)
        CopyText(currentFile, categoryFiles[currentCategory]);
}

static void ReadProfileKey(const char* file, const char* section, const char* key, char* buffer,
                           size_t capacity) {
    if (capacity == 0) return;
    // Without a file or a section every key yields its default; the profile functions would
    // otherwise fall back to the system's own profile.
    if (file[0] == '\0' || section[0] == '\0') {
        CopyText(buffer, capacity, "0");
        return;
    }
    GetPrivateProfileStringA(section, key, "0", buffer, static_cast<DWORD>(capacity), file);
    buffer[capacity - 1] = '\0';
}

void SetupConfig::ReadCategoryKey(const char* section, const char* key, char* buffer, size_t capacity) {
    ReadProfileKey(currentFile, section, key, buffer, capacity);
}

void SetupConfig::ReadCommonKey(const char* section, const char* key, char* buffer, size_t capacity) {
    ReadProfileKey(commonFile, section, key, buffer, capacity);
}

void SetupConfig::ReadFamilyKey(const char* section, int gdiDriver, const char* suffix, char* buffer,
                                size_t capacity) {
    char key[64];
    FormatText(key, sizeof key, "%s%s", gdiDriver == 1 ? "GDI" : "STD", suffix);
    ReadCategoryKey(section, key, buffer, capacity);
}
