#pragma once
// The version check of the USB kernel driver "bulkusb.sys": the one on the installation medium
// (USBDRV\bulkusb.sys beside the program) against the one in the system's driver directory. The
// wizard only tells the user; it never copies the driver itself.

#include <cstddef>

constexpr int UsbDriverMissing = -1;  // no driver installed (or its version reads as 0.0.0.0)
constexpr int UsbDriverCurrent = 0;   // installed and not older than the medium's
constexpr int UsbDriverOutdated = 1;  // installed, but older than the medium's

// The FileVersion text of the file's version resource (first translation), or "0.0.0.0" when the
// file, its version resource or the text is missing or empty. Cut to the buffer's capacity.
void GetFileVersionString(const char* path, char* version, size_t capacity);
template <size_t N>
void GetFileVersionString(const char* path, char (&version)[N]) {
    GetFileVersionString(path, version, N);
}

// Compares the medium's driver with the installed one by the digits of their version texts.
int CheckUsbDriverVersion();
