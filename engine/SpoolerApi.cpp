#include "engine/SpoolerApi.h"

SpoolerApi& Spooler() {
    static SpoolerApi api = {AddPrinterA,
                             ClosePrinter,
                             AddPrinterDriverA,
                             AddMonitorA,
                             AddPrintProcessorA,
                             EnumPortsA,
                             GetPrinterDriverDirectoryA,
                             GetPrintProcessorDirectoryA,
                             OpenPrinterA,
                             GetPrinterA,
                             SetPrinterA};
    return api;
}
