#include "choices/PortOffer.h"

#include <cstring>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"
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

void Add(PortOffer& offer, const char* entry) {
    if (offer.count < kMaxOfferedPorts) CopyText(offer.entries[offer.count++], entry);
}

void AddFixedPorts(PortOffer& offer, int targetSystem) {
    if (targetSystem == Windows98Me) {
        for (const char* port : kWindows9xPorts) Add(offer, port);
        return;
    }
    for (const char* port : kMakerSerialPorts) Add(offer, port);
    for (const char* port : kParallelPorts) Add(offer, port);
}

void AddUsbPorts(PortOffer& offer, const char* modelName, InstallMode mode) {
    int count = mode == Typical ? kTypicalUsbPorts : kAdvancedUsbPorts;
    for (int number = 1; number <= count; ++number) {
        // Fits by construction: the model names the catalogue gives are at most 199 characters.
        char entry[kPortNameSize];
        FormatText(entry, sizeof entry, "USB_%s_%d", modelName, number);
        Add(offer, entry);
    }
}

// Selects the first entry containing text and, when given, also second; no match keeps the selection.
void SelectFirstContaining(PortOffer& offer, const char* text, const char* second = nullptr) {
    for (int index = 0; index < offer.count; ++index) {
        const char* entry = offer.entries[index];
        if (strstr(entry, text) == nullptr) continue;
        if (second != nullptr && strstr(entry, second) == nullptr) continue;
        offer.selected = index;
        return;
    }
}

void PreselectUsbPrinter(PortOffer& offer, int deviceId, InstallMode mode) {
    if (mode == Typical) {
        SelectFirstContaining(offer, "USB");
        return;
    }
    int portNumber = UsbPortNumber(deviceId);
    // A printer numbered beyond the four offered ports: the first entry stands unless a port matches.
    if (portNumber > kAdvancedUsbPorts) offer.selected = 0;
    char suffix[16];
    FormatText(suffix, sizeof suffix, "_%d", portNumber);
    SelectFirstContaining(offer, "USB", suffix);
}
}  // namespace

void BuildPortOffer(const char* modelName, int targetSystem, int category, InstallMode mode, int deviceId,
                    PortOffer& offer) {
    offer = PortOffer{};
    if (modelName == nullptr) modelName = "";
    AddFixedPorts(offer, targetSystem);

    char iniPath[kConfigPathSize];
    BuildCategoryIniPath(category, iniPath);
    int usbSupported = ReadPortSectionValue(iniPath, modelName, "USBSUPPORTED");
    int lptDefault = ReadPortSectionValue(iniPath, modelName, "LPTDEFAULT");

    // Windows NT 4.0 has no USB support: the model's USB ports are not offered there.
    if (usbSupported != 0 && targetSystem != WindowsNT4) AddUsbPorts(offer, modelName, mode);
    if (usbSupported != 0 && deviceId != NoUsbDevice) {
        PreselectUsbPrinter(offer, deviceId, mode);
        offer.usbPrinterFound = true;
    } else if (lptDefault == 0) {
        offer.selected = offer.count > 0 ? 0 : -1;
    } else {
        SelectFirstContaining(offer, "LPT");
    }
}

PortReaction ReactionToPort(const char* portName) {
    if (strstr(portName, "USB") != nullptr) return PortReaction::UsbPort;
    if (strstr(portName, "LPT") != nullptr) return PortReaction::ParallelPort;
    return PortReaction::SerialPort;
}

int GdiDriverForPort(const char* portName) {
    return ReactionToPort(portName) == PortReaction::SerialPort ? 0 : 1;
}
