#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/RegistryKey.h"
#include "engine/SerialSettings.h"
#include "tests/support/RegistryState.h"
#include "tests/support/TestSupport.h"

namespace {

typedef std::vector<unsigned char> Bytes;

std::string SettingsText(int baud, int dataBits, double stopBits, char parity, char flow) {
    char text[kSerialSettingsSize];
    FormatSerialSettings(text, baud, dataBits, stopBits, parity, flow);
    return text;
}

Bytes DcbBytes(int baud, int dataBits, double stopBits, char parity, char flow) {
    DCB dcb;
    memset(&dcb, 0xcc, sizeof dcb);
    BuildSerialDcb(dcb, baud, dataBits, stopBits, parity, flow);
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&dcb);
    return Bytes(raw, raw + sizeof dcb);
}

// The 28 bytes of the block as the serial driver reads them: length, baud rate, the flag bits
// (fBinary 0x1, fParity 0x2, fOutxCtsFlow 0x4, fOutX 0x100, fInX 0x200, fErrorChar 0x400,
// fRtsControl 0x1000 for "enable"), then ByteSize, Parity, StopBits, XonChar and XoffChar.
Bytes ExpectedDcb(DWORD baud, DWORD flags, BYTE size, BYTE parity, BYTE stop, BYTE xon, BYTE xoff) {
    Bytes bytes(28, 0);
    bytes[0] = 28;
    memcpy(&bytes[4], &baud, 4);
    memcpy(&bytes[8], &flags, 4);
    bytes[18] = size;
    bytes[19] = parity;
    bytes[20] = stop;
    bytes[21] = xon;
    bytes[22] = xoff;
    return bytes;
}

TEST(SerialSettings, TextShowsStopBitsAsWritten) {
    EXPECT_EQ("9600,n,8,1,x", SettingsText(9600, 8, 1, 'n', 'x'));
    EXPECT_EQ("19200,e,7,1.5,p", SettingsText(19200, 7, 1.5, 'e', 'p'));
    EXPECT_EQ("115200,o,8,2, ", SettingsText(115200, 8, 2, 'o', ' '));
    EXPECT_EQ("2147483647,s,5,1,x", SettingsText(2147483647, 5, 1, 's', 'x'));
}

TEST(SerialSettings, DeviceControlBlockBytes) {
    EXPECT_EQ(ExpectedDcb(19200, 0x1 | 0x2 | 0x4 | 0x400 | 0x1000, 7, 2, 1, 0, 0),
              DcbBytes(19200, 7, 1.5, 'e', 'p'));
    EXPECT_EQ(ExpectedDcb(9600, 0x1 | 0x100 | 0x200, 8, 0, 0, 0x11, 0x13), DcbBytes(9600, 8, 1, 'n', 'x'));
    EXPECT_EQ(ExpectedDcb(4800, 0x1 | 0x2 | 0x400, 8, 1, 2, 0, 0), DcbBytes(4800, 8, 2, 'o', ' '));
    EXPECT_EQ(ExpectedDcb(4800, 0x1 | 0x2 | 0x400, 8, 3, 0, 0, 0), DcbBytes(4800, 8, 1, 'm', ' '));
    EXPECT_EQ(ExpectedDcb(4800, 0x1 | 0x2 | 0x400, 8, 4, 0, 0, 0), DcbBytes(4800, 8, 1, 's', ' '));
    // Unknown parity letters and stop-bit figures give no parity and one stop bit.
    EXPECT_EQ(ExpectedDcb(1200, 0x1, 6, 0, 0, 0, 0), DcbBytes(1200, 6, 3, 'E', 'q'));
}

const char kPortClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports";

std::string Entry(int i) {
    return std::string(kPortClass) + "\\000" + std::to_string(i);
}

// The port class entries of Windows 98/Me, made by the test on keys of its own prefix.
class SerialSettings98Test : public ::testing::Test {
protected:
    void SetUp() override {
        classExisted_ = RegistryKey().Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class");
        for (const char* key : {"COM1:", "COM2:", "COM3:"})
            saved_.push_back(ProfileValueOrNone("Ports", key));
        Cleanup();
    }
    void TearDown() override {
        Cleanup();
        const char* keys[] = {"COM1:", "COM2:", "COM3:"};
        for (int i = 0; i < 3; ++i) {
            WriteProfileStringA("Ports", keys[i], saved_[i] == "<none>" ? nullptr : saved_[i].c_str());
        }
    }
    void Cleanup() {
        for (int i = 0; i < 4; ++i) RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, Entry(i).c_str());
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, kPortClass);
        if (!classExisted_)
            RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class");
    }
    void MakeEntry(int i, BYTE subClass) {
        ASSERT_TRUE(RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, Entry(i).c_str()));
        RegistryKey key(HKEY_LOCAL_MACHINE, Entry(i).c_str());
        ASSERT_TRUE(key.SetValue("PortSubClass", &subClass, REG_BINARY, 1));
    }
    // The entry's "DCB" bytes, empty when it has none; type receives the value's type.
    Bytes StoredDcb(int i, DWORD& type) {
        HKEY key;
        BYTE data[64];
        DWORD size = sizeof data;
        type = 0xffff;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Entry(i).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        LONG result = RegQueryValueExA(key, "DCB", nullptr, &type, data, &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? Bytes(data, data + size) : Bytes();
    }
    bool classExisted_ = false;
    std::vector<std::string> saved_;
};

TEST_F(SerialSettings98Test, BlockGoesToTheMatchingSerialEntry) {
    MakeEntry(0, 1);
    MakeEntry(1, 0);
    MakeEntry(2, 1);
    WriteSerialSettings98(2, "COM2:", 19200, 7, 1.5, 'e', 'p');
    DWORD type;
    EXPECT_TRUE(StoredDcb(0, type).empty());
    EXPECT_TRUE(StoredDcb(1, type).empty());
    EXPECT_EQ(DcbBytes(19200, 7, 1.5, 'e', 'p'), StoredDcb(2, type));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), type);
    EXPECT_EQ("19200,e,7,1.5,p", ProfileValueOrNone("Ports", "COM2:"));

    WriteSerialSettings98(1, "COM1:", 9600, 8, 1, 'n', 'x');
    EXPECT_EQ(DcbBytes(9600, 8, 1, 'n', 'x'), StoredDcb(0, type));
    EXPECT_EQ("9600,n,8,1,x", ProfileValueOrNone("Ports", "COM1:"));
}

TEST_F(SerialSettings98Test, NoBlockBeyondTheSerialEntriesOrForCom3) {
    MakeEntry(0, 1);
    MakeEntry(1, 0);
    MakeEntry(3, 0);
    WriteSerialSettings98(2, "COM2:", 9600, 8, 2, 'n', ' ');
    WriteSerialSettings98(3, "COM3:", 4800, 8, 1, 'n', 'x');
    DWORD type;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(StoredDcb(i, type).empty()) << i;
    EXPECT_EQ("4800,n,8,1,x", ProfileValueOrNone("Ports", "COM3:"));
    // A missing port key writes nothing and leaves the other entries alone.
    WriteSerialSettings98(3, nullptr, 1200, 8, 1, 'n', 'x');
    EXPECT_EQ("4800,n,8,1,x", ProfileValueOrNone("Ports", "COM3:"));
    // The entries reach the profile file itself; the profile drops the blank flow letter at the end.
    std::string profile = ReadTextFile(WindowsDirectoryPath() + "\\win.ini");
    EXPECT_NE(std::string::npos, profile.find("COM2:=9600,n,8,2,\r\n")) << profile;
    EXPECT_NE(std::string::npos, profile.find("COM3:=4800,n,8,1,x\r\n")) << profile;
}

// The NT family's list of ports: the real key of the prefix, restored after the test.
class SerialSettingsNtTest : public ::testing::Test {
protected:
    void TearDown() override {
        RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kNtPortsKey);
        RegistryKey key(HKEY_LOCAL_MACHINE, kNtPortsKey);
        HKEY raw;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtPortsKey, 0, KEY_ALL_ACCESS, &raw) == ERROR_SUCCESS) {
            RegDeleteValueA(raw, "COM7:");
            RegCloseKey(raw);
        }
        for (const auto& value : saved_) {
            key.SetValue(value.name.c_str(), value.data.data(), value.type,
                         static_cast<DWORD>(value.data.size()));
        }
    }
    struct Value {
        std::string name;
        DWORD type;
        Bytes data;
    };
    // Saves the key's values and deletes it.
    void RemovePortsKey() {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtPortsKey, 0, KEY_READ, &key));
        char name[256];
        BYTE data[512];
        for (DWORD i = 0;; ++i) {
            DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
            if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
                break;
            saved_.push_back({name, type, Bytes(data, data + dataSize)});
        }
        RegCloseKey(key);
        ASSERT_TRUE(RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, kNtPortsKey));
    }
    std::vector<Value> saved_;
};

TEST_F(SerialSettingsNtTest, WritesThePortsValueOnlyWhenTheKeyExists) {
    ASSERT_TRUE(RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kNtPortsKey));
    WriteSerialSettingsNT("COM7:", 19200, 7, 1.5, 'e', 'p');
    RegistryKey key(HKEY_LOCAL_MACHINE, kNtPortsKey);
    char text[64] = {};
    EXPECT_TRUE(key.QueryString("COM7:", text, sizeof text));
    EXPECT_STREQ("19200,e,7,1.5,p", text);
    key.Close();

    RemovePortsKey();
    WriteSerialSettingsNT("COM7:", 9600, 8, 1, 'n', 'x');
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, kNtPortsKey));
    EXPECT_EQ("<none>", ProfileValueOrNone("Ports", "COM7:"));
}

}  // namespace
