#include "engine/SpoolerApi.h"

namespace {
// Built from imported addresses while the program starts, before any thread of its own: a
// function-local table would be first built on whichever thread asked first, under a lock.
SpoolerApi api = {AddPrinterA,
                  ClosePrinter,
                  AddPrinterDriverA,
                  AddMonitorA,
                  AddPrintProcessorA,
                  EnumPortsA,
                  GetPrinterDriverDirectoryA,
                  GetPrintProcessorDirectoryA,
                  OpenPrinterA,
                  GetPrinterA,
                  SetPrinterA,
                  EnumPrintersA,
                  EnumPrinterDriversA,
                  EnumJobsA,
                  CreateFileA};
}  // namespace

SpoolerApi& Spooler() {
    return api;
}
