#pragma once
// The winspool calls of the engine, reached through one table so that a test can replace a single
// call with an answer Wine never gives (a name clash on AddPrinterA, a refused AddPrintProcessorA, a
// failing directory query, a driver list that cannot be read, a printer list that grew between its size query and its read). The table starts
// with the real functions; production code never changes it.

#include <windows.h>
#include <winspool.h>

struct SpoolerApi {
    decltype(&AddPrinterA) addPrinter;
    decltype(&ClosePrinter) closePrinter;
    decltype(&AddPrinterDriverA) addPrinterDriver;
    decltype(&AddMonitorA) addMonitor;
    decltype(&AddPrintProcessorA) addPrintProcessor;
    decltype(&EnumPortsA) enumPorts;
    decltype(&GetPrinterDriverDirectoryA) getPrinterDriverDirectory;
    decltype(&GetPrintProcessorDirectoryA) getPrintProcessorDirectory;
    decltype(&OpenPrinterA) openPrinter;
    decltype(&GetPrinterA) getPrinter;
    decltype(&SetPrinterA) setPrinter;
    decltype(&EnumPrintersA) enumPrinters;
    decltype(&EnumPrinterDriversA) enumPrinterDrivers;
};

// The table in use.
SpoolerApi& Spooler();
