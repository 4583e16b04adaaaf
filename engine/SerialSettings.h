#pragma once
// The communication settings of a serial printer port, stored where the system's serial driver and
// the spooler take them from: on Windows 98/Me the profile's "Ports" section and the port's device
// control block, on the NT family the registry's list of ports. Failures are silent.

#include <windows.h>

#include <cstddef>

// The settings text: at most 49 characters and its terminator.
constexpr size_t kSerialSettingsSize = 50;

// The key the system keeps a serial port's settings under: the port's name from its "COM" on ("COM2:" for
// "TVCOM2:" and for "COM2:"), found without regard to case; null for a port that has none.
const char* SerialSettingsKey(const char* portName);

// The number of that serial port (2 for "TVCOM2:"); 0 for a port without one.
int SerialPortNumber(const char* portName);

// "9600,n,8,1,x": baud rate, parity letter, data bits, stop bits (1, 1.5 or 2) and flow letter.
void FormatSerialSettings(char (&text)[kSerialSettingsSize], int baudRate, int dataBits, double stopBits,
                          char parity, char flowControl);

// The device control block of Windows 98/Me for the settings; parity and flow letters are small
// letters ("e", "o", "n", "m", "s"; "x" Xon/Xoff, "p" hardware, a blank none).
void BuildSerialDcb(DCB& dcb, int baudRate, int dataBits, double stopBits, char parity, char flowControl);

// Windows 98/Me. portNumber is the digit of "COMn"; the block goes to the n-th serial entry of the
// port class for COM1 and COM2 only. portKey ("COM1:") names the profile entry.
void WriteSerialSettings98(int portNumber, const char* portKey, int baudRate, int dataBits, double stopBits,
                           char parity, char flowControl);

// The settings in force for portKey ("COM2:") where the system keeps them: the profile's "Ports"
// section on Windows 98/Me, the registry's list of ports on the NT family. False when there is no
// entry or it does not read as settings; a text without a flow letter means no flow control.
bool ReadSerialSettings(const char* portKey, bool windows9x, int& baudRate, int& dataBits, double& stopBits,
                        char& parity, char& flowControl);

// NT family: the value portKey of the "Ports" key, when that key exists.
void WriteSerialSettingsNT(const char* portKey, int baudRate, int dataBits, double stopBits, char parity,
                           char flowControl);
