// The printer's port: listed by the spooler, served by the medium's monitor with its files, and the
// device behind it answering (the USB printer's number, a serial or parallel port that opens).
#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "choices/InstallRules.h"
#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "common/SystemFolders.h"
#include "deploy/DeployTextIds.h"
#include "deploy/PrinterHealth.h"
#include "deploy/TillMends.h"
#include "engine/Registrations.h"
#include "engine/SpoolerApi.h"
#include "usb/UsbDevice.h"

namespace {
// True when the spooler lists the port; false with error when it cannot list its ports.
bool PortListed(const std::string& port, bool& listed, DWORD& error) {
    DWORD needed = 0;
    DWORD count = 0;
    Spooler().enumPorts(nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed != 0 ? needed : 1);
    listed =
        Spooler().enumPorts(nullptr, 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count);
    error = listed ? 0 : GetLastError();
    const PORT_INFO_1A* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD index = 0; listed && index < count; ++index) {
        if (ports[index].pName != nullptr && SameText(ports[index].pName, port)) return true;
    }
    return false;
}

// The medium's monitor that serves the port: registered, and its files in the system folder.
void CheckMonitor(const SystemPrinter& printer, const MediumMonitor& monitor, TargetSystem system,
                  HealthFindings& findings) {
    const char* name = printer.name.c_str();
    const Registration* registered = nullptr;
    std::vector<Registration> monitors = RegisteredMonitors();
    for (const Registration& each : monitors) {
        if (SameText(each.name, monitor.name)) registered = &each;
    }
    if (registered == nullptr) {
        findings.Found(
            FormatResource(IDS_CHECK_MONITOR_MISSING, name, printer.port.c_str(), monitor.name.c_str()));
        return;
    }
    std::vector<std::string> files = registered->files;
    if (!monitor.uiDll.empty()) files.push_back(monitor.uiDll);
    for (const std::string& file : files) {
        std::string path = SystemFolder() + "\\" + FileNameOf(file);
        if (!IsPlainFile(path)) {
            findings.Found(FormatResource(IDS_CHECK_MONITOR_FILE_MISSING, name, monitor.name.c_str(),
                                          path.c_str(), MediumCopyOf(file, system).c_str()));
            findings.MendWith(MendMonitorFile(path, MediumCopyOf(file, system), system));
        }
    }
}

// The USB printer that answers must carry the port's number: the number of its trailing "_n", or 1 for
// a port without one (the typical installation's).
void CheckUsbNumber(const SystemPrinter& printer, HealthFindings& findings) {
    const char* name = printer.name.c_str();
    const char* port = printer.port.c_str();
    int deviceId = GetUsbDeviceId();
    if (deviceId == NoUsbDevice) {
        findings.Found(FormatResource(IDS_CHECK_USB_NONE, name, port));
        return;
    }
    if (deviceId == TooManyUsbDevices) {
        findings.Found(FormatResource(IDS_CHECK_USB_SEVERAL, name));
        return;
    }
    int wanted = UsbPortOwnNumber(port) != 0 ? UsbPortOwnNumber(port) : 1;
    int answering = UsbPortNumber(deviceId);
    if (answering != wanted)
        findings.Found(FormatResource(IDS_CHECK_USB_NUMBER, name, port, wanted, answering, name, port));
}

// The device a serial or parallel port stands for ("TVCOM2:" and "COM2:" are "COM2", "LPT1:" is
// "LPT1"); empty for other ports.
std::string DeviceOfPort(std::string port) {
    if (port.size() > 2 && _strnicmp(port.c_str(), "TV", 2) == 0) port.erase(0, 2);
    if (!port.empty() && port.back() == ':') port.pop_back();
    if (port.size() < 4 || (_strnicmp(port.c_str(), "COM", 3) != 0 && _strnicmp(port.c_str(), "LPT", 3) != 0))
        return "";
    for (size_t at = 3; at < port.size(); ++at) {
        if (!isdigit(static_cast<unsigned char>(port[at]))) return "";
    }
    return port;
}

// The port opens as a program that prints to it would open it, alone, and is closed at once.
void CheckDeviceOpens(const SystemPrinter& printer, const std::string& device, HealthFindings& findings) {
    HANDLE handle = Spooler().openPort(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return;
    }
    DWORD error = GetLastError();
    const char* name = printer.name.c_str();
    bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    // The spooler itself holds the port while it prints a job of the printer: no other program.
    if (held && JobPrinting(printer)) return;
    if (held)
        findings.Found(FormatResource(IDS_CHECK_PORT_IN_USE, name, printer.port.c_str()));
    else
        findings.Unread(FormatResource(IDS_CHECK_PORT_NOT_OPENED, name, printer.port.c_str()), error);
}
}  // namespace

void CheckPort(const SystemPrinter& printer, const MediumNames& names, TargetSystem system,
               HealthFindings& findings) {
    // The monitor first: without its file the spooler lists none of its ports, and the port's absence
    // would be the wrong cause.
    unsigned before = findings.Count();
    for (const MediumMonitor& monitor : names.monitors) {
        if (monitor.needsIt(printer.port.c_str(), system)) CheckMonitor(printer, monitor, system, findings);
    }
    if (findings.Count() != before) return;
    bool listed = false;
    DWORD error = 0;
    if (!PortListed(printer.port, listed, error)) {
        if (!listed)
            findings.Unread(FormatResource(IDS_CHECK_PORTS_UNREAD, printer.name.c_str()), error);
        else
            findings.Found(
                FormatResource(IDS_CHECK_PORT_MISSING, printer.name.c_str(), printer.port.c_str()));
        return;
    }
    if (ListedIn(names.usbPorts, printer.port)) {
        CheckUsbNumber(printer, findings);
        return;
    }
    std::string device = DeviceOfPort(printer.port);
    if (!device.empty()) CheckDeviceOpens(printer, device, findings);
}
