#pragma once
// Another maker's printer on the till, with a driver of its own (its files plain text, which the spooler
// registers and never runs), gone again with the object: what the deployment program must never take.
#include <windows.h>
#include <winspool.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

class ForeignPrinter {
public:
    explicit ForeignPrinter(const std::string& port = "LPT3:") : port_(port) {
        for (const std::string& file : files_)
            WriteTextFile(SpoolerDriverDirectory() + "\\" + file, "not a DLL");
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = &driverName_[0];
        driver.pDriverPath = &files_[0][0];
        driver.pDataFile = &files_[1][0];
        driver.pConfigFile = &files_[2][0];
        AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
        std::string processor = "winprint", datatype = "RAW";
        PRINTER_INFO_2A info = {};
        info.pPrinterName = &name_[0];
        info.pPortName = &port_[0];
        info.pDriverName = &driverName_[0];
        info.pPrintProcessor = &processor[0];
        info.pDatatype = &datatype[0];
        HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (printer != nullptr) ClosePrinter(printer);
    }
    ~ForeignPrinter() {
        RemovePrinter(name_);
        RemovePrinterDriver(driverName_, nullptr);
        for (const std::string& file : files_) {
            RemoveFile(SpoolerDriverDirectory() + "\\" + file);
            RemoveFile(SpoolerDriverDirectory() + "\\3\\" + file);
        }
    }
    ForeignPrinter(const ForeignPrinter&) = delete;
    ForeignPrinter& operator=(const ForeignPrinter&) = delete;
    // Still there as it was put there.
    bool Untouched() const {
        PrinterRecord record = ReadPrinter(name_);
        return record.found && record.port == port_ && record.driver == driverName_;
    }

private:
    std::string name_ = "Other Maker Receipt";
    std::string driverName_ = "Other Maker Receipt Driver";
    std::string port_;
    std::string files_[3] = {"othermaker_drv.txt", "othermaker_data.txt", "othermaker_ui.txt"};
};
