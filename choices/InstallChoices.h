#pragma once
// The record of the user's choices for one installation, held by the wizard frame, and the few
// program-wide values that the wizard and the engine exchange.

#include <windows.h>
#include <winspool.h>

#include <cstdint>

#include "common/SharedTypes.h"
#include "config/SetupConfig.h"

// Room for the longest port-list entry: "USB_" + a 199-character model name + "_4".
constexpr size_t kPortNameSize = 4 + 199 + 2 + 1;

struct InstallChoices {
    PrinterCategory category = Receipt;
    TargetSystem targetSystem = Windows98Me;
    int32_t gdiDriver = 0;  // 1: GDI key family of the descriptors, 0: STD family
    char modelName[200] = {};
    // The printer the installation created (the model's name with its port suffix, numbered where the
    // name was taken) or the deployment program kept: empty until the engine or the run set it.
    char printerName[200] = {};
    char portName[kPortNameSize] = {};
    char usbPortAlias[kPortNameSize] = {};
    int32_t setAsDefault = 0;
    int32_t baudRate = 0;
    int32_t dataBits = 0;
    double stopBits = 0;
    char parity = 0;
    char flowControl = 0;
    int32_t engineStatus = 0;  // the engine's update flags
    char commonIniPath[kConfigPathSize] = {};
    char categoryIniPath[kConfigPathSize] = {};
    PortKind portKind = Serial;
    SetupConfig config;
    DriverFileList driverFiles = {};
    DRIVER_INFO_3A driverInfo = {};
    MONITOR_INFO_2A monitorInfo = {};  // filled by nothing; the monitors come from the configuration
    PRINTER_INFO_2A printerInfo = {};
};

// Program-wide values.
extern InstallMode installMode;             // Typical at start
extern MessageText resultMessage;           // the engine's message for the end of the installation
extern int32_t reloadBaudRate;              // 1 at start: the next arrival at the port page presets it
extern char portSection[200];               // "%s.PORT" with the chosen model
extern char modelIniPath[kConfigPathSize];  // full path of the chosen category's file
extern InstallMode lastListMode;            // install mode of the last port-list build
