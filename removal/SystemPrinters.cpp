#include "removal/SystemPrinters.h"

#include <winspool.h>

#include <cstring>

namespace {
// The default printer's name: the profile's "windows" "device" entry up to its first comma, which every
// target system keeps.
std::string DefaultPrinterName() {
    char device[600] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    char* comma = strchr(device, ',');
    if (comma != nullptr) *comma = '\0';
    return device;
}

std::string TextOf(const char* text) {
    return text != nullptr ? text : "";
}
}  // namespace

EnumerationStart JudgeSizeQuery(BOOL answered, DWORD error, DWORD needed) {
    if (answered) return needed == 0 ? EnumerationStart::NoPrinters : EnumerationStart::Failed;
    if (error == ERROR_INSUFFICIENT_BUFFER && needed > 0) return EnumerationStart::ReadList;
    return EnumerationStart::Failed;
}

bool ReadSystemPrinters(std::vector<SystemPrinter>& printers, DWORD& error) {
    printers.clear();
    error = 0;
    DWORD needed = 0;
    DWORD count = 0;
    BOOL answered = EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    error = answered ? 0 : GetLastError();
    switch (JudgeSizeQuery(answered, error, needed)) {
        case EnumerationStart::NoPrinters:
            error = 0;
            return true;
        case EnumerationStart::Failed:
            if (error == 0) error = ERROR_INVALID_DATA;
            return false;
        case EnumerationStart::ReadList:
            break;
    }
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        error = GetLastError();
        return false;
    }
    error = 0;
    std::string defaultName = DefaultPrinterName();
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        SystemPrinter printer = {TextOf(info[index].pPrinterName), TextOf(info[index].pPortName),
                                 TextOf(info[index].pDriverName), TextOf(info[index].pPrintProcessor), false};
        printer.isDefault = lstrcmpiA(printer.name.c_str(), defaultName.c_str()) == 0;
        printers.push_back(printer);
    }
    return true;
}
