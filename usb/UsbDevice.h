#pragma once
// The binding to the maker's USB interface library "TvUsbInt.dll": reading the device id of the one
// connected printer and sending it the command that changes its device number. The library is loaded
// at each call and released before the call returns.

// Results of GetUsbDeviceId besides a device id (0..65535).
constexpr int NoUsbDevice = -1;        // no library, entry point, printer or descriptor
constexpr int TooManyUsbDevices = -2;  // more than one printer answers; the user has been told

// The device id (bcdDevice of the USB device descriptor) of the one connected printer, or one of the
// two results above. Shows its own messages, except when no printer answers.
int GetUsbDeviceId();

// Gives the connected printer the device number n (1..8). True when the command was sent; false with
// a message when it could not be, and false without one for n outside 1..8.
bool ChangeUsbDeviceId(unsigned char n);

// The USB port number a device id belongs to: (id mod 8) + 1, the remainder taken in floating point
// so that it keeps the sign of the id (TooManyUsbDevices gives -1, which matches no port).
int UsbPortNumber(int deviceId);
