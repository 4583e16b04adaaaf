// The port page's port list: which ports are offered for the model on the target system, which one
// is preselected, and the page's state that goes with the preselected port.

#include <cstring>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"
#include "pages/PortPage.h"
#include "usb/UsbDevice.h"

namespace {
const char* const kMakerSerialPorts[] = {
    "TVCOM1:", "TVCOM2:", "TVCOM3:", "TVCOM4:", "TVCOM5:", "TVCOM6:", "TVCOM7:", "TVCOM8:"};
const char* const kParallelPorts[] = {"LPT1:", "LPT2:", "LPT3:"};
// Windows 98/Me uses the system's own ports, not the maker's port monitor.
const char* const kWindows9xPorts[] = {"COM1:", "COM2:", "LPT1:"};
// USB ports per variant: one for the printer of a typical installation, one for each of up to four
// printers of the model in an advanced installation.
constexpr int kTypicalUsbPorts = 1;
constexpr int kAdvancedUsbPorts = 4;
}  // namespace

void PortPage::BuildTypicalPortList(const char* modelName, int targetSystem, int category) {
    BuildPortList(modelName, targetSystem, category, Typical);
}

void PortPage::BuildAdvancedPortList(const char* modelName, int targetSystem, int category) {
    BuildPortList(modelName, targetSystem, category, Advanced);
}

void PortPage::BuildPortList(const char* modelName, int targetSystem, int category, InstallMode variant) {
    if (modelName == nullptr) modelName = "";
    // Coming back with the same model and mode keeps the list and the user's choice, and spares the
    // USB query.
    if (strcmp(modelName, lastListModel) == 0 && lastListMode == listMode) return;
    lastListMode = static_cast<InstallMode>(listMode);
    CopyText(lastListModel, modelName);
    portList.ResetContent();
    AddFixedPorts(targetSystem);

    char iniPath[kConfigPathSize];
    BuildCategoryIniPath(category, iniPath);
    int usbSupported = ReadPortSectionValue(iniPath, modelName, "USBSUPPORTED");
    int lptDefault = ReadPortSectionValue(iniPath, modelName, "LPTDEFAULT");
    int deviceId = GetUsbDeviceId();

    // Windows NT 4.0 has no USB support: the model's USB ports are not offered there.
    if (usbSupported != 0 && targetSystem != WindowsNT4) AddUsbPorts(modelName, variant);
    if (usbSupported != 0 && deviceId != NoUsbDevice) {
        PreselectUsbPrinter(deviceId, variant);
        EnableSerialLists(false);
    } else if (lptDefault == 0) {
        portList.SetCurSel(0);
    } else {
        SelectFirstContaining("LPT");
    }
    TakeSelectedPort();
    ReactToPort();
}

void PortPage::AddFixedPorts(int targetSystem) {
    if (targetSystem == Windows98Me) {
        for (const char* port : kWindows9xPorts) portList.AddString(port);
        return;
    }
    for (const char* port : kMakerSerialPorts) portList.AddString(port);
    for (const char* port : kParallelPorts) portList.AddString(port);
}

void PortPage::AddUsbPorts(const char* modelName, InstallMode variant) {
    int count = variant == Typical ? kTypicalUsbPorts : kAdvancedUsbPorts;
    for (int number = 1; number <= count; ++number) {
        // Fits by construction: the model names the catalogue gives are at most 199 characters.
        char entry[kPortNameSize];
        FormatText(entry, sizeof entry, "USB_%s_%d", modelName, number);
        portList.AddString(entry);
    }
}

void PortPage::PreselectUsbPrinter(int deviceId, InstallMode variant) {
    if (variant == Typical) {
        SelectFirstContaining("USB");
        return;
    }
    int portNumber = UsbPortNumber(deviceId);
    // A printer numbered beyond the four offered ports: the first entry stands unless a port matches.
    if (portNumber > kAdvancedUsbPorts) portList.SetCurSel(0);
    char suffix[16];
    FormatText(suffix, sizeof suffix, "_%d", portNumber);
    SelectFirstContaining("USB", suffix);
}

void PortPage::SelectFirstContaining(const char* text, const char* second) {
    int count = portList.GetCount();
    for (int index = 0; index < count; ++index) {
        char entry[kPortNameSize];
        if (portList.GetLBText(index, entry) == CB_ERR) continue;
        if (strstr(entry, text) == nullptr) continue;
        if (second != nullptr && strstr(entry, second) == nullptr) continue;
        portList.SetCurSel(index);
        return;
    }
}
