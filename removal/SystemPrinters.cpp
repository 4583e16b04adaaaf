#include "removal/SystemPrinters.h"

#include <winspool.h>

#include <cstring>

#include "engine/SpoolerApi.h"

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

// How many times the list is read when it keeps growing between the size query and the read.
constexpr int kListReads = 8;

// Reads the list into a buffer of the size the query asked for. A printer added meanwhile makes the
// read fail with ERROR_INSUFFICIENT_BUFFER and the size now needed: the list is read again at that size.
bool ReadWholeList(std::vector<BYTE>& buffer, DWORD needed, DWORD& count, DWORD& error) {
    for (int read = 0; read < kListReads; ++read) {
        buffer.assign(needed, 0);
        if (Spooler().enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
            return true;
        error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return false;
    }
    return false;
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
    BOOL answered = Spooler().enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
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
    std::vector<BYTE> buffer;
    if (!ReadWholeList(buffer, needed, count, error)) return false;
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
