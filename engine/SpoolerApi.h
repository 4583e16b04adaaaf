#pragma once
// The winspool calls of the engine, reached through one table so that a test can replace a single
// call with an answer Wine never gives (a name clash on AddPrinterA, a refused AddPrintProcessorA, a
// failing directory query, a driver list that cannot be read, a printer list that grew between its size query
// and its read, a queue with jobs, a port held by another program). The table starts with the real functions;
// production code never changes it.

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
    // The queue of a printer: Wine 8 keeps no queue it can list (EnumJobsA answers nothing).
    decltype(&EnumJobsA) enumJobs;
    // The open of a serial or parallel port ("COM1", "LPT1"): Wine lets a second program open a port
    // another holds, where Windows answers 5.
    decltype(&CreateFileA) openPort;
};

// The table in use.
SpoolerApi& Spooler();
