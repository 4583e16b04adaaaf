#include "usb/UsbDevice.h"

#include <windows.h>

#include <cmath>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "framework/MessageBoxes.h"
#include "resources/ResourceIds.h"

namespace {
// The library's entry points; all use the callee-clears convention and 32-bit device handles.
typedef int(WINAPI* OpenDeviceXFunction)(int index);
typedef int(WINAPI* UWriteFunction)(int device, int reserved, unsigned char* bytes, int count);
typedef int(WINAPI* GetDescriptorFunction)(int device, unsigned char* descriptor);
typedef int(WINAPI* CloseDeviceFunction)(int device);

const char kLibraryName[] = "TvUsbInt.dll";
const int kDeviceIndexCount = 8;               // the library tells printers apart by the indices 0..7
const unsigned char kHighestDeviceNumber = 8;  // the numbers a printer can be given are 1..8

// The standard USB device descriptor; bcdDevice, little-endian at bytes 12 and 13, is the device id.
const size_t kDescriptorSize = 18;
const size_t kBcdDeviceOffset = 12;

// The change-ID command: ESC "s", a four-byte code, GS "I" space, then the new number minus one.
const size_t kChangeIdCommandSize = 10;
const unsigned char kChangeIdPrefix[] = {0x1B, 0x73};
// The command code the printer expects before it accepts a new device number; any other code makes
// it ignore the command.
const unsigned char kChangeIdCode[] = {0x51, 0x56, 0x49, 0x44};
const unsigned char kChangeIdSuffix[] = {0x1D, 0x49, 0x20};

void Tell(const std::string& text) {
    ShowWindowMessage(GetActiveWindow(), text.c_str());
}

// Owns the library for the length of one operation, so every way out releases it.
class UsbLibrary {
public:
    UsbLibrary() : module_(LoadLibraryA(kLibraryName)) {}
    ~UsbLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    UsbLibrary(const UsbLibrary&) = delete;
    UsbLibrary& operator=(const UsbLibrary&) = delete;

    // Whether the library loaded; tells the user when it did not.
    bool CheckLoaded() const {
        if (module_ == nullptr) Tell(ResourceText(IDS_NO_USB_LIBRARY));
        return module_ != nullptr;
    }

    // Looks up an entry point by its exact name; tells the user, naming it, when the library lacks it.
    template <typename Function>
    bool Find(const char* name, Function& function) {
        // Through the generic function type, which converts to any other without a warning.
        auto address = reinterpret_cast<void (*)()>(GetProcAddress(module_, name));
        function = reinterpret_cast<Function>(address);
        if (function == nullptr) {
            Tell(FormatResource(IDS_NO_USB_FUNCTION, name));
        }
        return function != nullptr;
    }

private:
    HMODULE module_;
};

// The library reports an index where no printer answers with 0 or -1.
bool IsDeviceHandle(int handle) {
    return handle != 0 && handle != -1;
}

// The handle of the printer at the lowest index that answers, or 0 when none does. Indices that do
// not answer are not closed, as the library expects.
int OpenFirstDevice(OpenDeviceXFunction openDevice) {
    for (int index = 0; index < kDeviceIndexCount; ++index) {
        int handle = openDevice(index);
        if (IsDeviceHandle(handle)) return handle;
    }
    return 0;
}

// True when a second printer answers: that one is closed and the user is told to connect only one.
// Every other index's result is closed, whatever it is.
bool MoreThanOneDevice(OpenDeviceXFunction openDevice, CloseDeviceFunction closeDevice) {
    int count = 0;
    for (int index = 0; index < kDeviceIndexCount; ++index) {
        int handle = openDevice(index);
        if (IsDeviceHandle(handle)) ++count;
        closeDevice(handle);
        if (count == 2) {
            char text[200];
            LoadResourceText(IDS_ONE_PRINTER_ONLY, text);
            Tell(text);
            return true;
        }
    }
    return false;
}

void BuildChangeIdCommand(unsigned char n, unsigned char (&command)[kChangeIdCommandSize]) {
    size_t at = 0;
    for (unsigned char byte : kChangeIdPrefix) command[at++] = byte;
    for (unsigned char byte : kChangeIdCode) command[at++] = byte;
    for (unsigned char byte : kChangeIdSuffix) command[at++] = byte;
    command[at] = static_cast<unsigned char>(n - 1);
}
}  // namespace

int GetUsbDeviceId() {
    UsbLibrary library;
    if (!library.CheckLoaded()) return NoUsbDevice;
    OpenDeviceXFunction openDevice = nullptr;
    GetDescriptorFunction getDescriptor = nullptr;
    CloseDeviceFunction closeDevice = nullptr;
    if (!library.Find("OpenDeviceX", openDevice) || !library.Find("GetDescriptor", getDescriptor) ||
        !library.Find("CloseDevice", closeDevice)) {
        return NoUsbDevice;
    }
    if (MoreThanOneDevice(openDevice, closeDevice)) return TooManyUsbDevices;
    int handle = OpenFirstDevice(openDevice);
    if (handle == 0) return NoUsbDevice;
    unsigned char descriptor[kDescriptorSize] = {};
    if (getDescriptor(handle, descriptor) == 0) {
        Tell(ResourceText(IDS_NO_USB_DEVICE_ID));
        closeDevice(handle);
        return NoUsbDevice;
    }
    closeDevice(handle);
    return descriptor[kBcdDeviceOffset] | (descriptor[kBcdDeviceOffset + 1] << 8);
}

bool ChangeUsbDeviceId(unsigned char n) {
    if (n == 0 || n > kHighestDeviceNumber) return false;
    UsbLibrary library;
    if (!library.CheckLoaded()) return false;
    OpenDeviceXFunction openDevice = nullptr;
    UWriteFunction write = nullptr;
    CloseDeviceFunction closeDevice = nullptr;
    if (!library.Find("OpenDeviceX", openDevice) || !library.Find("uWrite", write) ||
        !library.Find("CloseDevice", closeDevice)) {
        return false;
    }
    int handle = OpenFirstDevice(openDevice);
    if (handle == 0) {
        Tell(ResourceText(IDS_NO_USB_DEVICE));
        return false;
    }
    unsigned char command[kChangeIdCommandSize];
    BuildChangeIdCommand(n, command);
    if (write(handle, 0, command, static_cast<int>(kChangeIdCommandSize)) <= 0) {
        Tell(ResourceText(IDS_USB_RENUMBER_FAILED));
        closeDevice(handle);
        return false;
    }
    closeDevice(handle);
    return true;
}

int UsbPortNumber(int deviceId) {
    return static_cast<int>(std::fmod(static_cast<double>(deviceId), 8.0) + 1.0);
}
