#include "config/PortRegistry.h"

#include <gtest/gtest.h>

#include <string>

#include "common/RegistryKey.h"
#include "tests/support/TestSupport.h"

namespace {
const char kPortNames[] = "SOFTWARE\\TALVERN\\PORTNAME\\";
const char kPrinterPorts[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
const char kPersisted[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";

DWORD ReadDword(HKEY root, const char* path, const char* name, DWORD missing = 0xDEADBEEF) {
    RegistryKey key;
    DWORD value = missing;
    if (!key.Open(root, path) || !key.QueryDword(name, value)) return missing;
    return value;
}

void DeleteValue(HKEY root, const char* path, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

struct ProbeResult {
    int system = -1;
    int recognition = -1;
    unsigned messages = 99;
    std::string output;
};

// Runs the probe as directory + "detect_system_probe.exe" (directory with its trailing backslash).
ProbeResult RunProbe(const char* version, const std::string& directory = ExeDir()) {
    SetWindowsVersionFor("detect_system_probe.exe", version);
    DWORD exitCode = 0;
    ProbeResult result;
    result.output = RunAndCapture("\"" + directory + "detect_system_probe.exe\"", exitCode);
    sscanf(result.output.c_str(), "%d %d %u", &result.system, &result.recognition, &result.messages);
    SetWindowsVersionFor("detect_system_probe.exe", "");
    return result;
}
}  // namespace

TEST(SystemRecognition, MapsPlatformAndVersion) {
    EXPECT_EQ(Windows98Me, RecognizeSystem(1, 4, 10).system);
    EXPECT_EQ(SystemRecognition::Recognised, RecognizeSystem(1, 4, 90).recognition);
    EXPECT_EQ(SystemRecognition::NotRecognised, RecognizeSystem(1, 4, 0).recognition);  // Windows 95
    EXPECT_EQ(WindowsNT4, RecognizeSystem(2, 4, 0).system);
    EXPECT_EQ(Windows2000, RecognizeSystem(2, 5, 0).system);
    EXPECT_EQ(WindowsXP, RecognizeSystem(2, 5, 1).system);
    EXPECT_EQ(WindowsServer2003, RecognizeSystem(2, 5, 2).system);
    EXPECT_EQ(WindowsVista, RecognizeSystem(2, 6, 0).system);
    DetectedSystem seven = RecognizeSystem(2, 6, 1);
    EXPECT_EQ(Windows98Me, seven.system);
    EXPECT_EQ(SystemRecognition::NotRecognised, seven.recognition);
    EXPECT_EQ(SystemRecognition::Unsupported, RecognizeSystem(0, 3, 10).recognition);
}

TEST(SystemDetection, RecognisesEveryVersionWineReports) {
    const struct {
        const char* version;
        int system;
        SystemRecognition recognition;
    } cases[] = {
        {"win95", Windows98Me, SystemRecognition::NotRecognised},
        {"win98", Windows98Me, SystemRecognition::Recognised},
        {"winme", Windows98Me, SystemRecognition::Recognised},
        {"nt40", WindowsNT4, SystemRecognition::Recognised},
        {"win2k", Windows2000, SystemRecognition::Recognised},
        {"winxp", WindowsXP, SystemRecognition::Recognised},
        {"win2003", WindowsServer2003, SystemRecognition::Recognised},
        {"vista", WindowsVista, SystemRecognition::Recognised},
        {"win7", Windows98Me, SystemRecognition::NotRecognised},
    };
    std::string probePath = ExeDir() + "detect_system_probe.exe";
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.version);
        DeleteValue(HKEY_CURRENT_USER, kPersisted, probePath.c_str());
        ProbeResult result = RunProbe(expected.version);
        EXPECT_EQ(expected.system, result.system) << result.output;
        EXPECT_EQ(static_cast<int>(expected.recognition), result.recognition);
        EXPECT_EQ(0u, result.messages) << result.output;
        // Only Vista records the program in the compatibility assistant's list.
        DWORD record = ReadDword(HKEY_CURRENT_USER, kPersisted, probePath.c_str());
        EXPECT_EQ(expected.system == WindowsVista ? 1u : 0xDEADBEEFu, record);
    }
    DeleteValue(HKEY_CURRENT_USER, kPersisted, probePath.c_str());
}

TEST(SystemDetection, VistaRecordsAProgramPathOf259Characters) {
    TempDir temp("qvpath");
    std::string exeName = "detect_system_probe.exe";
    std::string directory =
        temp.Path() + "\\" + std::string(259 - temp.Path().size() - 2 - exeName.size(), 'p');
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    std::string probePath = directory + "\\" + exeName;
    ASSERT_EQ(259u, probePath.size());
    ASSERT_TRUE(CopyFileTo(ExeDir() + exeName, probePath));
    ProbeResult result = RunProbe("vista", directory + "\\");
    EXPECT_EQ(WindowsVista, result.system) << result.output;
    EXPECT_EQ(1u, ReadDword(HKEY_CURRENT_USER, kPersisted, probePath.c_str()));
    DeleteValue(HKEY_CURRENT_USER, kPersisted, probePath.c_str());
}

TEST(SystemDetection, AnUnsupportedPlatformIsToldToTheUser) {
    ProbeResult result = RunProbe("win31");
    EXPECT_EQ(Windows98Me, result.system) << result.output;
    EXPECT_EQ(static_cast<int>(SystemRecognition::Unsupported), result.recognition);
    EXPECT_EQ(1u, result.messages);
    EXPECT_NE(std::string::npos, result.output.find("本程序不支持当前系统."));
}

TEST(UsbPortRecords, RecordTheConfiguredNumberAndResetTheSlots) {
    std::string common = ExeDir() + "DRVCONFIG\\setup.ini";
    ASSERT_TRUE(WriteTextFile(common, "[SUPPORTED-USB-DEVICE]\r\nUSB_QTEST_1=5\r\nUSB_QTEST_3=7\r\n"));
    {
        RegistryKey slots;
        if (slots.Open(HKEY_LOCAL_MACHINE, kPrinterPorts)) slots.SetDword("D4", 9);
    }
    RegisterUsbPortDevice("USB_QTEST_1");
    RegisterUsbPortDevice("USB_QTEST_2");  // not configured: 0
    EXPECT_EQ(5u, ReadDword(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_1"));
    EXPECT_EQ(0u, ReadDword(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_2"));
    for (const char* slot : {"D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8"}) {
        EXPECT_EQ(0u, ReadDword(HKEY_LOCAL_MACHINE, kPrinterPorts, slot)) << slot;
    }
    // A second record of the same port overwrites its value and leaves the others alone.
    WriteTextFile(common, "[SUPPORTED-USB-DEVICE]\r\nUSB_QTEST_1=6\r\n");
    RegisterUsbPortDevice("USB_QTEST_1");
    EXPECT_EQ(6u, ReadDword(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_1"));
    EXPECT_EQ(0u, ReadDword(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_2"));

    DeleteValue(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_1");
    DeleteValue(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_2");
    RemoveTree(ExeDir() + "DRVCONFIG");
}

TEST(UsbPortRecords, RemovalCleansBothKeysWhenOneValueIsGone) {
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, kPortNames);
    {
        RegistryKey names(HKEY_LOCAL_MACHINE, kPortNames);
        ASSERT_TRUE(names.SetDword("USB_QTEST_4", 4));
    }
    DeleteValue(HKEY_LOCAL_MACHINE, kPrinterPorts, "USB_QTEST_4");  // the slot record already gone
    DWORD error = 99;
    EXPECT_TRUE(RemoveUsbPortRecords("USB_QTEST_4", error));
    EXPECT_EQ(0u, error);
    EXPECT_EQ(0xDEADBEEFu, ReadDword(HKEY_LOCAL_MACHINE, kPortNames, "USB_QTEST_4"));
}
