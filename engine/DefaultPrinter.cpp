#include "engine/DefaultPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>

#include "common/BoundedText.h"
#include "engine/SpoolerApi.h"
#include "engine/SpoolerLibraryFunction.h"

namespace {

typedef BOOL(WINAPI* SetDefaultPrinterFunction)(LPCSTR);

constexpr UINT kBroadcastTimeoutMs = 1000;
constexpr DWORD kDefaultAttribute = PRINTER_ATTRIBUTE_DEFAULT;

// The printer's level-2 record, read in two steps (size, then data) and released by the destructor.
class PrinterRecord {
public:
    explicit PrinterRecord(const char* name) {
        if (!Spooler().openPrinter(const_cast<char*>(name), &printer_, nullptr)) printer_ = nullptr;
        if (printer_) Read();
    }
    ~PrinterRecord() {
        free(record_);
        if (printer_) Spooler().closePrinter(printer_);
    }
    PrinterRecord(const PrinterRecord&) = delete;
    PrinterRecord& operator=(const PrinterRecord&) = delete;

    HANDLE printer() const { return printer_; }
    PRINTER_INFO_2A* record() const { return record_; }

private:
    void Read() {
        DWORD needed = 0;
        if (Spooler().getPrinter(printer_, 2, nullptr, 0, &needed)) return;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return;
        BYTE* data = static_cast<BYTE*>(calloc(needed, 1));
        if (data == nullptr) return;
        if (Spooler().getPrinter(printer_, 2, data, needed, &needed)) {
            record_ = reinterpret_cast<PRINTER_INFO_2A*>(data);
        } else {
            free(data);
        }
    }

    HANDLE printer_ = nullptr;
    PRINTER_INFO_2A* record_ = nullptr;
};

void BroadcastSettingChange(const char* section) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section), SMTO_NORMAL,
                        kBroadcastTimeoutMs, &answer);
}

// Windows 9x keeps the default printer as an attribute of the printer itself.
bool MakeDefault9x(const char* name) {
    PrinterRecord printer(name);
    PRINTER_INFO_2A* record = printer.record();
    if (record == nullptr) return false;
    record->Attributes |= kDefaultAttribute;
    if (!Spooler().setPrinter(printer.printer(), 2, reinterpret_cast<BYTE*>(record), 0)) return false;
    BroadcastSettingChange("windows");
    return true;
}

// NT 4.0 keeps it in the profile as "name,driver,port".
bool MakeDefaultNt4(const char* name) {
    PrinterRecord printer(name);
    PRINTER_INFO_2A* record = printer.record();
    if (record == nullptr || record->pDriverName == nullptr || record->pPortName == nullptr) return false;
    char device[800];
    if (!FormatText(device, sizeof device, "%s,%s,%s", name, record->pDriverName, record->pPortName))
        return false;
    if (!WriteProfileStringA("windows", "device", device)) return false;
    BroadcastSettingChange(nullptr);
    return true;
}

// NT 5.0 and later have SetDefaultPrinterA, which older systems lack: it is looked up at run time.
bool MakeDefaultNt5(const char* name) {
    SpoolerLibraryFunction function("SetDefaultPrinterA");
    auto setDefault = function.As<SetDefaultPrinterFunction>();
    bool done = setDefault != nullptr && setDefault(name);
    if (done) BroadcastSettingChange(nullptr);
    return done;
}

}  // namespace

bool MakeDefaultPrinter(const char* name) {
    if (name == nullptr) return false;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return MakeDefault9x(name);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return true;
    if (version.dwMajorVersion < 5) return MakeDefaultNt4(name);
    return MakeDefaultNt5(name);
}

bool IsDefaultPrinter(const char* name) {
    char device[800] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    char* comma = strchr(device, ',');
    if (comma != nullptr) *comma = '\0';
    return name != nullptr && lstrcmpiA(device, name) == 0;
}
