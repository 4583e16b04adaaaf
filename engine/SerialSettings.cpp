#include "engine/SerialSettings.h"

#include <cstdlib>
#include <cstring>

#include "common/BoundedText.h"
#include "common/RegistryKey.h"

namespace {

const char kPortClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Ports\\000%d";
const char kNtPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr int kPortClassEntries = 4;
constexpr BYTE kSerialSubClass = 1;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

BYTE ParityOf(char parity) {
    switch (parity) {
        case 'e':
            return EVENPARITY;
        case 'o':
            return ODDPARITY;
        case 'm':
            return MARKPARITY;
        case 's':
            return SPACEPARITY;
        default:
            return NOPARITY;
    }
}

BYTE StopBitsOf(double stopBits) {
    if (stopBits == 1.5) return ONE5STOPBITS;
    if (stopBits == 2) return TWOSTOPBITS;
    return ONESTOPBIT;
}

// True when the port class entry i is a serial port (its "PortSubClass" starts with 1).
bool IsSerialEntry(RegistryKey& key, int i) {
    char path[80];
    FormatText(path, sizeof path, kPortClassKey, i);
    if (!key.Open(HKEY_LOCAL_MACHINE, path)) return false;
    BYTE subClass[3] = {};
    key.QueryValue("PortSubClass", subClass, sizeof subClass);
    return subClass[0] == kSerialSubClass;
}

// The block belongs to the portNumber-th serial entry of the port class; other entries are printers'
// parallel ports and the like.
void WriteDcb(int portNumber, const DCB& dcb) {
    int serialEntries = 0;
    for (int i = 0; i < kPortClassEntries; ++i) {
        RegistryKey key;
        if (IsSerialEntry(key, i) && ++serialEntries == portNumber) {
            // The system's own entries hold the block untyped (REG_NONE), not as REG_BINARY.
            key.SetValue("DCB", &dcb, REG_NONE, sizeof dcb);
            return;
        }
    }
}

}  // namespace

void FormatSerialSettings(char (&text)[kSerialSettingsSize], int baudRate, int dataBits, double stopBits,
                          char parity, char flowControl) {
    const char* format = stopBits == 1.5 ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c";
    FormatText(text, sizeof text, format, baudRate, parity, dataBits, stopBits, flowControl);
}

void BuildSerialDcb(DCB& dcb, int baudRate, int dataBits, double stopBits, char parity, char flowControl) {
    dcb = DCB();
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = static_cast<DWORD>(baudRate);
    dcb.fBinary = 1;
    if (flowControl == 'p') {
        dcb.fOutxCtsFlow = 1;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    }
    if (flowControl == 'x') {
        dcb.fOutX = 1;
        dcb.fInX = 1;
        dcb.XonChar = kXon;
        dcb.XoffChar = kXoff;
    }
    dcb.Parity = ParityOf(parity);
    if (dcb.Parity != NOPARITY) {
        dcb.fParity = 1;
        dcb.fErrorChar = 1;
    }
    dcb.ByteSize = static_cast<BYTE>(dataBits);
    dcb.StopBits = StopBitsOf(stopBits);
}

void WriteSerialSettings98(int portNumber, const char* portKey, int baudRate, int dataBits, double stopBits,
                           char parity, char flowControl) {
    DCB dcb;
    BuildSerialDcb(dcb, baudRate, dataBits, stopBits, parity, flowControl);
    if (portNumber == 1 || portNumber == 2) WriteDcb(portNumber, dcb);
    char text[kSerialSettingsSize];
    FormatSerialSettings(text, baudRate, dataBits, stopBits, parity, flowControl);
    // Without a key the profile call would delete the whole "Ports" section.
    if (portKey == nullptr) return;
    WriteProfileStringA("Ports", portKey, text);
    SendNotifyMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Ports"));
    // Writes the cached profile out to the file now.
    WriteProfileStringA(nullptr, nullptr, nullptr);
}

void WriteSerialSettingsNT(const char* portKey, int baudRate, int dataBits, double stopBits, char parity,
                           char flowControl) {
    char text[kSerialSettingsSize];
    FormatSerialSettings(text, baudRate, dataBits, stopBits, parity, flowControl);
    RegistryKey key;
    // Without a name the settings would replace the key's default value.
    if (portKey != nullptr && key.Open(HKEY_LOCAL_MACHINE, kNtPortsKey)) key.SetString(portKey, text);
}

bool ReadSerialSettings(const char* portKey, bool windows9x, int& baudRate, int& dataBits, double& stopBits,
                        char& parity, char& flowControl) {
    char text[kSerialSettingsSize] = {};
    if (portKey == nullptr) return false;
    if (windows9x) {
        GetProfileStringA("Ports", portKey, "", text, sizeof text);
    } else {
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, kNtPortsKey) || !key.QueryString(portKey, text, sizeof text))
            return false;
    }
    // "9600,n,8,1,x": the fields in order, the flow letter optional.
    char* fields[5] = {};
    int count = 0;
    for (char* field = text; field != nullptr && count < 5; ++count) {
        fields[count] = field;
        field = strchr(field, ',');
        if (field != nullptr) *field++ = '\0';
    }
    if (count < 4 || atoi(fields[0]) <= 0 || fields[1][0] == '\0' || atoi(fields[2]) <= 0) return false;
    baudRate = atoi(fields[0]);
    parity = fields[1][0];
    dataBits = atoi(fields[2]);
    stopBits = atof(fields[3]);
    flowControl = count == 5 && fields[4][0] != '\0' ? fields[4][0] : ' ';
    return true;
}

const char* SerialSettingsKey(const char* portName) {
    for (const char* at = portName; at != nullptr && *at != '\0'; ++at) {
        if (_strnicmp(at, "COM", 3) == 0) return at;
    }
    return nullptr;
}

int SerialPortNumber(const char* portName) {
    const char* key = SerialSettingsKey(portName);
    return key != nullptr && key[3] >= '0' && key[3] <= '9' ? key[3] - '0' : 0;
}
