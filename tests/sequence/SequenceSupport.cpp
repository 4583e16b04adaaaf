#include "tests/sequence/SequenceSupport.h"

#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/BoundedText.h"
#include "app/InstallRules.h"
#include "config/PortRegistry.h"
#include "engine/DriverFileCopy.h"
#include "engine/InstallationSequence.h"
#include "engine/RegistryKey.h"
#include "pages/ProgressWindow.h"

const char kComMonitor[] = "QTest COM Port";
const char kUsbMonitor[] = "QTest USB Port";
const char kProcessor[] = "QTestProc";
const char kLateProcessor[] = "ZTestProc";
const char kModel[] = "QT-R58";
const char kDriverName[] = "QTest R58";

namespace {
const char* const kSuffixes[] = {"98", "NT", "2K", "XP", "2003", "Vista"};
const char* const kDriverFiles[] = {"QTDRV.DLL", "QTR58.GPD",   "QTUI.DLL",    "QTDRV.HLP", "QTEXT.DLL",
                                    "QTUNI.DLL", "DMCOLOR.DLL", "ICONLIB.DLL", "UNIDRV.DLL"};
const char* const kSystemFiles[] = {"qtcommon.dll", "nqtcommon.dll", "qtcomui.dll",
                                    "qtusbmon.dll", "nqtusbmon.dll", "qtusbui.dll"};
const char* const kModels[] = {"QT-R58", "KRP-A100", "QT-DDK"};
const char* const kDrivers[] = {"QTest R58", "QTest A100", "QTest DDK"};
const char kNtPorts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char kPrinterPortKey[] = "SOFTWARE\\TALVERN\\PRINTERPORT\\";
const char kPortClass[] = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
const char kNone[] = "<none>";

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

std::string ProfileText(const char* section, const char* key) {
    char text[300] = {};
    GetProfileStringA(section, key, kNone, text, sizeof text);
    return text;
}

void RestoreProfile(const char* section, const char* key, const std::string& saved) {
    WriteProfileStringA(section, key, saved == kNone ? nullptr : saved.c_str());
}

void DeleteFileIfPresent(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void DeletePrinterNamed(const std::string& name) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

void DeleteValue(HKEY root, const char* path, const char* value) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, value);
    RegCloseKey(key);
}

std::string PortClassEntry(int i) {
    return kPortClass + std::to_string(i);
}

std::string SpoolerDirectory(bool processor) {
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(path);
    if (processor) {
        GetPrintProcessorDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    } else {
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, buffer, sizeof path, &needed);
    }
    return path;
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

std::string DriverDirectoryPath() {
    return SpoolerDirectory(false);
}

std::string ProcessorDirectoryPath() {
    return SpoolerDirectory(true);
}

std::string SystemDirectoryText() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string MonitorKey(const char* monitor) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\") + monitor;
}

std::string ProcessorKey(const char* processor, TargetSystem system) {
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") +
           (system == Windows98Me ? "Windows 4.0" : "Windows NT x86") + "\\Print Processors\\" + processor;
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadDword(const std::string& path, const char* value, DWORD& data) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string ReadString(HKEY root, const std::string& path, const char* value) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return kNone;
    char text[300] = {};
    DWORD size = sizeof text - 1;
    LONG result = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(text) : std::string(kNone);
}

namespace {
::testing::AssertionResult HoldsCopyOf(const std::string& path, const std::string& original) {
    std::string text = ReadTextFile(path);
    if (text == ReadTextFile(original)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << " is not a copy of " << original << " but holds "
                                         << text.size() << " bytes: \"" << text.substr(0, 20) << "\"";
}
}  // namespace

::testing::AssertionResult HoldsFixtureMonitor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_monitor.dll");
}

::testing::AssertionResult HoldsFixtureProcessor(const std::string& path) {
    return HoldsCopyOf(path, TestDir() + "\\fixture_processor.dll");
}

SequenceMedium::SequenceMedium() : scope_(dir_.Path()) {
    WriteConfiguration();
    WriteSystemFiles();
    // Wine does not make the Windows 98/Me print-processor folder that the spooler names.
    if (ExpectedSystem() == Windows98Me) CreateDirectoryA(ProcessorDirectoryPath().c_str(), nullptr);
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
    for (const char* name : kDriverFiles) WriteTextFile(folder + name, std::string("stand-in ") + name);
    for (const char* name : {"qtcomui.dll", "qtusbui.dll"}) WriteTextFile(folder + name, "stand-in UI");
    CopyFileTo(TestDir() + "\\fixture_monitor.dll", folder + "qtcommon.dll");
    CopyFileTo(TestDir() + "\\fixture_monitor.dll", folder + "qtusbmon.dll");
    CopyFileTo(TestDir() + "\\fixture_processor.dll", folder + "qtproc.dll");
}

void SequenceMedium::SetDescriptor(const char* model, const char* key, const char* value) {
    std::string section = std::string(model) + "." + kSuffixes[ExpectedSystem()];
    WritePrivateProfileStringA(section.c_str(), key, value, (dir_ / "DRVCONFIG\\setup_receipt.ini").c_str());
}

void SequenceMedium::SetCommon(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, (dir_ / "DRVCONFIG\\setup.ini").c_str());
}

void SequenceMedium::RemoveSystemFile(const char* name) {
    DeleteFileIfPresent(SystemFolder() + name);
}

InstallationLeftovers::InstallationLeftovers()
    : savedNtPort_(ReadString(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:")),
      savedProfilePort_(ProfileText("Ports", "COM2:")),
      savedDevice_(ProfileText("windows", "device")) {
    Remove();
}

InstallationLeftovers::~InstallationLeftovers() {
    Remove();
    if (savedNtPort_ == kNone) {
        DeleteValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:");
    } else {
        RegistryKey(HKEY_LOCAL_MACHINE, kNtPorts).SetString("COM2:", savedNtPort_.c_str());
    }
    RestoreProfile("Ports", "COM2:", savedProfilePort_);
    RestoreProfile("windows", "device", savedDevice_);
    for (auto key = createdKeys_.rbegin(); key != createdKeys_.rend(); ++key)
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, key->c_str());
}

void InstallationLeftovers::CreateKeyChain(const std::string& path) {
    for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        std::string key = path.substr(0, end);
        if (!key.empty() && !KeyExists(HKEY_LOCAL_MACHINE, key)) {
            RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, key.c_str(), nullptr);
            createdKeys_.push_back(key);
        }
        if (end == std::string::npos) return;
    }
}

void InstallationLeftovers::Remove() {
    for (const char* model : kModels) {
        for (const char* suffix : {"(S)", "(P)", "(U) 1"}) {
            std::string name = std::string(model) + suffix;
            for (const char* number : {"", "(1)", "(2)"}) DeletePrinterNamed(name + number);
        }
    }
    for (const char* driver : kDrivers) {
        DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver));
        DeletePrinterDriverA(nullptr, const_cast<char*>("Windows 4.0"), const_cast<char*>(driver));
    }
    for (const char* monitor : {kComMonitor, kUsbMonitor}) {
        DeleteMonitorA(nullptr, nullptr, const_cast<char*>(monitor));
        RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, MonitorKey(monitor).c_str());
    }
    for (const char* processor : {kProcessor, kLateProcessor}) {
        for (TargetSystem system : {Windows98Me, WindowsXP})
            RegistryKey::DeleteKey(HKEY_LOCAL_MACHINE, ProcessorKey(processor, system).c_str());
    }
    std::string driverDirectory = DriverDirectoryPath();
    for (const char* name : kDriverFiles) {
        for (const char* sub : {"\\", "\\3\\", "\\0\\"}) DeleteFileIfPresent(driverDirectory + sub + name);
    }
    for (const char* name : kSystemFiles) DeleteFileIfPresent(SystemDirectoryText() + "\\" + name);
    for (const char* name : {"qtproc.dll", "nqtproc.dll"})
        DeleteFileIfPresent(ProcessorDirectoryPath() + "\\" + name);
    for (const char* port : {"USB_QT-R58_1", "USB_QTCOM_1"})
        DeleteValue(HKEY_LOCAL_MACHINE, kPrinterPortKey, port);
}

void InstallationLeftovers::CreatePrinterPortKey() {
    CreateKeyChain(kPrinterPortKey);
}

void InstallationLeftovers::CreateSerialPortClass() {
    if (KeyExists(HKEY_LOCAL_MACHINE, PortClassEntry(0)) || KeyExists(HKEY_LOCAL_MACHINE, PortClassEntry(1)))
        return;
    BYTE serial = 1;
    for (int i = 0; i < 2; ++i) {
        CreateKeyChain(PortClassEntry(i));
        RegistryKey(HKEY_LOCAL_MACHINE, PortClassEntry(i).c_str())
            .SetValue("PortSubClass", &serial, REG_BINARY, 1);
    }
}

void FillChoices(InstallChoices& choices, const char* model, const char* port) {
    choices.category = Receipt;
    choices.targetSystem = ExpectedSystem();
    CopyText(choices.modelName, model);
    CopyText(choices.portName, port);
    choices.usbPortAlias[0] = '\0';
    choices.gdiDriver = 0;
    choices.baudRate = 9600;
    choices.dataBits = 8;
    choices.stopBits = 1;
    choices.parity = 'n';
    choices.flowControl = 'x';
    choices.engineStatus = 0;
    choices.config.currentCategory = choices.category;
    choices.portKind = static_cast<PortKind>(DerivePortKind(port));
    choices.driverFiles = DriverFileList();
    choices.driverInfo = DRIVER_INFO_3A();
    choices.monitorInfo = MONITOR_INFO_2A();
    choices.printerInfo = PRINTER_INFO_2A();
    choices.config.ReadDriverFiles(choices.modelName, choices.targetSystem, choices.driverFiles, 0);
    choices.config.ReadDriverInfo(choices.modelName, choices.targetSystem, choices.driverInfo, 0);
    choices.config.ReadPrinterInfo(choices.modelName, choices.targetSystem, choices.printerInfo, 0);
    choices.printerInfo.pPortName = choices.portName;
    AppendPortSuffix(choices.config.printerName, sizeof choices.config.printerName, choices.portKind,
                     choices.portName);
}

EngineOutcome RunEngine(WizardDialog& wizard) {
    ProgressWindow progress;
    progress.targetSystem = wizard.choices.targetSystem;
    progress.finishState = Running;
    resultMessage[0] = '\0';
    EngineTask task = {&wizard, &progress};
    std::thread engine([&task] { RunInstallation(&task); });
    engine.join();
    return {progress.finishState.load(), resultMessage};
}

PrinterRecord ReadPrinter(const std::string& name) {
    PrinterRecord record;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return record;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    if (needed != 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        record.found = true;
        record.name = info->pPrinterName ? info->pPrinterName : "";
        record.driver = info->pDriverName ? info->pDriverName : "";
        record.port = info->pPortName ? info->pPortName : "";
        record.processor = info->pPrintProcessor ? info->pPrintProcessor : "";
        record.attributes = info->Attributes;
    }
    ClosePrinter(printer);
    return record;
}

namespace {
bool QuerySpooler(SERVICE_STATUS_PROCESS& status) {
    status = SERVICE_STATUS_PROCESS();
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS) : nullptr;
    DWORD needed = 0;
    bool answered = service && QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO,
                                                    reinterpret_cast<BYTE*>(&status), sizeof status, &needed);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return answered;
}
}  // namespace

DWORD SpoolerState() {
    SERVICE_STATUS_PROCESS status;
    QuerySpooler(status);
    return status.dwCurrentState;
}

DWORD SpoolerProcessId() {
    SERVICE_STATUS_PROCESS status;
    QuerySpooler(status);
    return status.dwProcessId;
}

bool StartSpoolerAndWait() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = manager ? OpenServiceA(manager, "Spooler", SERVICE_START) : nullptr;
    if (service) StartServiceA(service, 0, nullptr);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    for (int i = 0; i < 100 && SpoolerState() != SERVICE_RUNNING; ++i) Sleep(20);
    return SpoolerState() == SERVICE_RUNNING;
}

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

LockedFile::~LockedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

const char kOldMonitor[] = "old monitor";
const char kOldProcessor[] = "old processor";

void InstallOldMonitor(const char* monitor, const std::string& file, const DWORD* version) {
    std::string path = MonitorKey(monitor);
    RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, path.c_str(), nullptr);
    RegistryKey key(HKEY_LOCAL_MACHINE, path.c_str());
    key.SetString("Driver", file.c_str());
    if (version) key.SetDword("DriverVersion", *version);
    WriteTextFile(SystemDirectoryText() + "\\" + file, kOldMonitor);
}

void InstallOldProcessor(DWORD version) {
    WriteTextFile(ProcessorDirectoryPath() + "\\qtproc.dll", kOldProcessor);
    char* environment = ExpectedSystem() == Windows98Me ? const_cast<char*>("Windows 4.0") : nullptr;
    AddPrintProcessorA(nullptr, environment, const_cast<char*>("qtproc.dll"), const_cast<char*>(kProcessor));
    RegistryKey(HKEY_LOCAL_MACHINE, ProcessorKey(kProcessor, ExpectedSystem()).c_str())
        .SetDword("DriverVersion", version);
}
