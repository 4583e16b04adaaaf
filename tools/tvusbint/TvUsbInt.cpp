// A stand-in for the maker's USB interface library "TvUsbInt.dll", which is not part of this system.
// It simulates up to eight printers described by the scenario file TvUsbInt.ini in the library's own
// directory, and records its loading, its release and every call with its arguments and result in
// TvUsbInt.log beside it, so tests can prove which calls the wizard made and which bytes it sent.
//
// Scenario file:
//   [Printer3]                 a printer answers at index 3 (indices 0..7)
//   bcdDevice=0x0102           its device id, reported in the device descriptor (decimal or 0x hex)
//   GetDescriptor=fail         optional: reading its descriptor fails
//   uWrite=fail                optional: writing to it fails
//   [Library]
//   NoDevice=-1                what OpenDeviceX answers where no printer is: 0 (default) or -1
//
// Built once complete and once per entry point without that entry point (TVUSBINT_WITHOUT_<name>),
// so tests can show what the wizard does with an incomplete library.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HMODULE selfModule = nullptr;

const int kDeviceCount = 8;
const int kHandleBase = 0x100;  // handle of the printer at index i: kHandleBase + i
const int kDescriptorSize = 18;
const int kMaxLoggedBytes = 1024;

// Full path of a file in the directory this library was loaded from.
void BesideLibrary(const char* name, char (&path)[MAX_PATH]) {
    path[0] = '\0';
    char module[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(selfModule, module, sizeof module);
    if (length == 0 || length >= sizeof module) return;
    char* slash = strrchr(module, '\\');
    if (slash == nullptr) return;
    slash[1] = '\0';
    if (strlen(module) + strlen(name) >= sizeof path) return;
    snprintf(path, sizeof path, "%s%s", module, name);
}

void Log(const char* line) {
    char path[MAX_PATH];
    BesideLibrary("TvUsbInt.log", path);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

void ReadScenario(const char* section, const char* key, char (&value)[64]) {
    char path[MAX_PATH];
    BesideLibrary("TvUsbInt.ini", path);
    value[0] = '\0';
    if (path[0] != '\0') GetPrivateProfileStringA(section, key, "", value, sizeof value, path);
}

void PrinterSection(int index, char (&section)[16]) {
    snprintf(section, sizeof section, "Printer%d", index);
}

bool PrinterPresent(int index) {
    if (index < 0 || index >= kDeviceCount) return false;
    char section[16];
    PrinterSection(index, section);
    char value[64];
    ReadScenario(section, "bcdDevice", value);
    return value[0] != '\0';
}

// The index of the printer a handle belongs to, or -1 for a handle this library did not give out.
[[maybe_unused]] int PrinterOfHandle(int handle) {
    int index = handle - kHandleBase;
    return PrinterPresent(index) ? index : -1;
}

[[maybe_unused]] bool PrinterFails(int index, const char* operation) {
    char section[16];
    PrinterSection(index, section);
    char value[64];
    ReadScenario(section, operation, value);
    return _stricmp(value, "fail") == 0;
}

[[maybe_unused]] int PrinterDeviceId(int index) {
    char section[16];
    PrinterSection(index, section);
    char value[64];
    ReadScenario(section, "bcdDevice", value);
    return static_cast<int>(strtol(value, nullptr, 0)) & 0xFFFF;
}

[[maybe_unused]] int NoDeviceResult() {
    char value[64];
    ReadScenario("Library", "NoDevice", value);
    return atoi(value) == -1 ? -1 : 0;
}

[[maybe_unused]] void FillDescriptor(int deviceId, unsigned char* descriptor) {
    const unsigned char standard[kDescriptorSize] = {
        18,   0x01,            // bLength, bDescriptorType (device)
        0x00, 0x02,            // bcdUSB 2.00
        0x00, 0x00, 0x00, 64,  // class, subclass, protocol, bMaxPacketSize0
        0x6B, 0x1D,            // idVendor
        0x01, 0x20,            // idProduct
        0x00, 0x00,            // bcdDevice, set below
        1,    2,    3,    1,   // string indices, bNumConfigurations
    };
    memcpy(descriptor, standard, kDescriptorSize);
    descriptor[12] = static_cast<unsigned char>(deviceId & 0xFF);
    descriptor[13] = static_cast<unsigned char>((deviceId >> 8) & 0xFF);
}
}  // namespace

// Loading and release are recorded too, so a test can tell whether a caller loaded the library at all
// and released it again.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        selfModule = instance;
        Log("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("unload");
    }
    return TRUE;
}

#ifndef TVUSBINT_WITHOUT_OpenDeviceX
extern "C" __declspec(dllexport) int WINAPI OpenDeviceX(int index) {
    int handle = PrinterPresent(index) ? kHandleBase + index : NoDeviceResult();
    char line[64];
    snprintf(line, sizeof line, "OpenDeviceX(%d) = %d", index, handle);
    Log(line);
    return handle;
}
#endif

#ifndef TVUSBINT_WITHOUT_uWrite
extern "C" __declspec(dllexport) int WINAPI
    uWrite(int handle, int reserved, const unsigned char* bytes, int count) {
    int index = PrinterOfHandle(handle);
    int result = (index < 0 || PrinterFails(index, "uWrite") || bytes == nullptr || count < 0) ? 0 : count;
    char line[64 + 3 * kMaxLoggedBytes];
    int at = snprintf(line, sizeof line, "uWrite(%d, %d, ", handle, reserved);
    for (int i = 0; bytes != nullptr && i < count && i < kMaxLoggedBytes; ++i) {
        at += snprintf(line + at, sizeof line - at, i == 0 ? "%02X" : " %02X", bytes[i]);
    }
    snprintf(line + at, sizeof line - at, ", %d) = %d", count, result);
    Log(line);
    return result;
}
#endif

#ifndef TVUSBINT_WITHOUT_GetDescriptor
extern "C" __declspec(dllexport) int WINAPI GetDescriptor(int handle, unsigned char* descriptor) {
    int index = PrinterOfHandle(handle);
    int result = (index < 0 || PrinterFails(index, "GetDescriptor") || descriptor == nullptr) ? 0 : 1;
    if (result != 0) FillDescriptor(PrinterDeviceId(index), descriptor);
    char line[64];
    snprintf(line, sizeof line, "GetDescriptor(%d) = %d", handle, result);
    Log(line);
    return result;
}
#endif

#ifndef TVUSBINT_WITHOUT_CloseDevice
// Accepts any value, also the 0 and -1 that OpenDeviceX gives where no printer answers.
extern "C" __declspec(dllexport) int WINAPI CloseDevice(int handle) {
    char line[64];
    snprintf(line, sizeof line, "CloseDevice(%d)", handle);
    Log(line);
    return 1;
}
#endif
