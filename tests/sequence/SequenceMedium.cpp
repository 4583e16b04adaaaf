#include "tests/sequence/SequenceMedium.h"

#include <cstdlib>

#include "config/PortRegistry.h"
#include "engine/DriverFileCopy.h"
#include "tests/sequence/SystemState.h"

const char kComMonitor[] = "QTest COM Port";
const char kUsbMonitor[] = "QTest USB Port";
const char kProcessor[] = "QTestProc";
const char kLateProcessor[] = "ZTestProc";
const char kModel[] = "QT-R58";
const char kDriverName[] = "QTest R58";

const char* const kStandInFiles[kStandInFileCount] = {"QTDRV.DLL",   "QTR58.GPD",   "QTUI.DLL",
                                                      "QTDRV.HLP",   "QTEXT.DLL",   "QTUNI.DLL",
                                                      "DMCOLOR.DLL", "ICONLIB.DLL", "UNIDRV.DLL"};

namespace {
const char* const kSuffixes[] = {"98", "NT", "2K", "XP", "2003", "Vista"};

std::string DescriptorSection(const char* model, const char* suffix, const char* driver, const char* ddk,
                              const char* extraFile) {
    std::string text = std::string("[") + model + "." + suffix + "]\r\n";
    text += std::string("STDDriverName=") + driver + "\r\n";
    text += "STDDriverPath=QTDRV.DLL\r\nSTDDataFile=QTR58.GPD\r\nSTDConfigFile=QTUI.DLL\r\n";
    text += "STDHelpFile=QTDRV.HLP\r\n";
    text += std::string("STDDataFileDLLName=") + extraFile + "\r\n";
    text += "STDDataOemuiDLL=0\r\nSTDDataOemuniDLL=QTUNI.DLL\r\nSTDDataOemuniini=0\r\n";
    text += "STDProcessorDLLName=qtproc.dll\r\nSTDPrintProcessor=QTestProc\r\n";
    text += std::string("STD2KDDKDEV=") + ddk + "\r\nATTRIBUTES=64\r\n\r\n";
    return text;
}
}  // namespace

TargetSystem ExpectedSystem() {
    const char* version = getenv("QELVAN_WINVER");
    std::string name = version ? version : "";
    if (name == "nt40") return WindowsNT4;
    if (name == "win2k") return Windows2000;
    if (name == "winxp") return WindowsXP;
    if (name == "win2003") return WindowsServer2003;
    if (name == "vista") return WindowsVista;
    return Windows98Me;
}

bool SystemMatchesVersion() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return false;
    DetectedSystem seen =
        RecognizeSystem(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    return seen.recognition == SystemRecognition::Recognised && seen.system == ExpectedSystem();
}

const char* SerialPort() {
    return ExpectedSystem() == Windows98Me ? "COM2:" : "TVCOM2:";
}

SequenceMedium::SequenceMedium() : scope_(dir_.Path()) {
    WriteConfiguration();
    WriteSystemFiles();
    // Wine does not make the Windows 98/Me print-processor folder that the spooler names.
    if (ExpectedSystem() == Windows98Me) CreateDirectoryA(SpoolerProcessorDirectory().c_str(), nullptr);
}

std::string SequenceMedium::SystemFolder() const {
    return Path() + SourceSubdirectory(ExpectedSystem());
}

void SequenceMedium::WriteConfiguration() {
    std::string common;
    for (const char* suffix : kSuffixes) {
        common += std::string("[COMMON-MONITOR.") + suffix + "]\r\n";
        common += std::string("COMMONitorPName=") + kComMonitor + "\r\n";
        common += "COMMONitorPDLLName=qtcommon.dll\r\nCOMMONitorPUIDLLName=qtcomui.dll\r\n";
        common += "COMMONitorVersion=" + std::to_string(kComVersion) + "\r\n";
        common += std::string("USBMONitorPName=") + kUsbMonitor + "\r\n";
        common += "USBMONitorPDLLName=qtusbmon.dll\r\nUSBMONitorPUIDLLName=qtusbui.dll\r\n";
        common += "USBMONitorVersion=" + std::to_string(kUsbVersion) + "\r\n\r\n";
    }
    common += "[ProcessorVersion]\r\nDriverVersion=" + std::to_string(kProcessorVersion) + "\r\n";
    WriteTextFile(dir_ / "DRVCONFIG\\setup.ini", common);

    std::string receipt;
    for (const char* suffix : kSuffixes) {
        receipt += DescriptorSection("QT-R58", suffix, "QTest R58", "0", "QTEXT.DLL");
        receipt += DescriptorSection("KRP-A100", suffix, "QTest A100", "0", "0");
        // A driver built on the universal driver whose additional file the configuration lost.
        receipt += DescriptorSection("QT-DDK", suffix, "QTest DDK", "1", "");
    }
    WriteTextFile(dir_ / "DRVCONFIG\\setup_receipt.ini", receipt);
}

void SequenceMedium::WriteSystemFiles() {
    std::string folder = SystemFolder();
    for (const char* name : kStandInFiles) WriteTextFile(folder + name, std::string("stand-in ") + name);
    for (const char* name : {"qtcomui.dll", "qtusbui.dll"}) WriteTextFile(folder + name, "stand-in UI");
    CopyFileTo(TestDir() + "\\fixture_monitor.dll", folder + "qtcommon.dll");
    CopyFileTo(TestDir() + "\\fixture_monitor.dll", folder + "qtusbmon.dll");
    CopyFileTo(TestDir() + "\\fixture_processor.dll", folder + "qtproc.dll");
}

void SequenceMedium::SetDescriptor(const char* model, const char* key, const char* value) {
    std::string section = std::string(model) + "." + kSuffixes[ExpectedSystem()];
    WritePrivateProfileStringA(section.c_str(), key, value, (dir_ / "DRVCONFIG\\setup_receipt.ini").c_str());
}

void SequenceMedium::RemoveSystemFile(const char* name) {
    RemoveFile(SystemFolder() + name);
}
