// A complete removal takes the medium's files from the system folder, the printer-driver folder (and
// its version sub-folder) and the print-processor folder, not only their registrations; another
// maker's files there stay, and so does a file another registered driver still names.
#include <set>
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/e2e/E2eSupport.h"

namespace {
const char kForeignDriver[] = "ZX-90 Receipt";

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(folder + "\\" + entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

bool IsWindowsOwn(const std::string& path) {
    std::string name = path.substr(path.rfind('\\') + 1);
    for (const char* own :
         {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"}) {
        if (lstrcmpiA(name.c_str(), own) == 0) return true;
    }
    return false;
}

class RemovalFilesTest : public DeployTest {
protected:
    RemovalFilesTest()
        : drivers(SpoolerDriverDirectory()),
          folders({SystemDirectoryPath(), drivers, drivers + "\\3", SpoolerProcessorDirectory()}) {
        // Another maker's monitor, driver and processor files, one of them open.
        CreateDirectoryA((drivers + "\\3").c_str(), nullptr);
        foreign = {SystemDirectoryPath() + "\\zxmon.dll", drivers + "\\ZX90.GPD", drivers + "\\3\\ZX90UI.DLL",
                   SpoolerProcessorDirectory() + "\\zxproc.dll"};
        for (const std::string& file : foreign) WriteTextFile(file, "another maker's");
        open = CreateFileA(foreign[2].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }
    ~RemovalFilesTest() override {
        Close(open);
        RemovePrinterDriver(kForeignDriver, nullptr);
        for (const std::string& file : foreign) RemoveFile(file);
        RemoveFile(drivers + "\\3\\ZX90.GPD");
    }
    static void Close(HANDLE& file) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }
    std::set<std::string> Files() const {
        std::set<std::string> all;
        for (const std::string& folder : folders) {
            std::set<std::string> some = FilesIn(folder);
            all.insert(some.begin(), some.end());
        }
        return all;
    }
    void Restart() {
        DWORD exitCode = 0;
        RunAndCapture("wineboot.exe -r", exitCode, medium.Path(), 120000);
    }
    void InstallTwoPrinters() {
        Expect(0, "install /model:QR-58");
        Expect(0, "install /model:QL-60 /port:TVCOM2:");
    }

    std::string drivers;
    std::vector<std::string> folders;
    std::vector<std::string> foreign;
    HANDLE open = INVALID_HANDLE_VALUE;
};
}  // namespace

TEST_F(RemovalFilesTest, CompleteRemovalAndRestartLeaveNoFileOfTheMedium) {
    std::set<std::string> before = Files();
    InstallTwoPrinters();
    std::set<std::string> installed;
    for (const std::string& file : Files()) {
        if (before.count(file) == 0) installed.insert(file);
    }
    std::string system = SystemDirectoryPath();
    for (const std::string& file :
         {system + "\\qvusbmon.dll", system + "\\qvusbui.dll", system + "\\qvcommon.dll",
          system + "\\qvcomui.dll", drivers + "\\3\\QVSTD.DLL", drivers + "\\QR58.GPD",
          SpoolerProcessorDirectory() + "\\qvproc.dll"})
        ASSERT_EQ(1u, installed.count(file)) << file;

    // A monitor's user-interface file in use goes at the next start.
    HANDLE inUse = CreateFileA((system + "\\qvcomui.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    std::string removed = Expect(0, "remove /all /driver /components");
    Close(inUse);
    EXPECT_TRUE(Says(removed, "已删除：文件 " + drivers + "\\3\\QVSTD.DLL\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "已删除：文件 " + system + "\\qvusbmon.dll\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "已删除：文件 " + SpoolerProcessorDirectory() + "\\qvproc.dll\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "重新启动后删除：文件 " + system + "\\qvcomui.dll\r\n")) << removed;
    EXPECT_FALSE(Says(removed, "ZX")) << removed;

    Restart();
    // The folders hold what they held before the installation: another maker's files, and Windows' own
    // universal-driver files, which the installation supplied where they were missing and which stay.
    std::set<std::string> after = Files();
    for (const std::string& file : after) {
        if (before.count(file) == 1) continue;
        EXPECT_TRUE(IsWindowsOwn(file)) << file;
        EXPECT_TRUE(Says(removed, file + "（系统共用的打印机驱动程序文件）")) << file;
    }
    for (const std::string& file : installed) {
        if (!IsWindowsOwn(file)) {
            EXPECT_EQ(0u, after.count(file)) << file;
        }
    }
    for (const std::string& file : foreign) EXPECT_EQ("another maker's", ReadTextFile(file)) << file;
}

TEST_F(RemovalFilesTest, AFileAnotherDriverNamesStays) {
    InstallTwoPrinters();
    // Another maker's driver built on the same universal driver, registered from the driver folder.
    std::string data = "ZX90.GPD", config = "ZX90UI.DLL", unidrv = "UNIDRV.DLL";
    Close(open);
    ASSERT_TRUE(CopyFileTo(drivers + "\\3\\ZX90UI.DLL", drivers + "\\ZX90UI.DLL"));
    foreign.push_back(drivers + "\\ZX90UI.DLL");
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    std::string name = kForeignDriver;
    driver.pName = &name[0];
    driver.pDriverPath = &unidrv[0];
    driver.pDataFile = &data[0];
    driver.pConfigFile = &config[0];
    driver.pHelpFile = &data[0];
    // Among its dependent files, one of the medium's driver's file names.
    char dependent[] = "ZX90.GPD\0QVSTD.DLL\0";
    driver.pDependentFiles = dependent;
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)));
    // Its printer on the system's own serial port: the medium's COM monitor serves "TVCOMn:", not it.
    PRINTER_INFO_2A info = {};
    std::string printer = "ZX-90 on COM3", port = "COM3:", processor = "winprint", datatype = "RAW";
    info.pPrinterName = &printer[0];
    info.pPortName = &port[0];
    info.pDriverName = &name[0];
    info.pPrintProcessor = &processor[0];
    info.pDatatype = &datatype[0];
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(nullptr, added);
    ClosePrinter(added);

    std::string removed = Expect(0, "remove /all /driver /components");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MonitorKey("Qelvan COM Port"))) << removed;
    EXPECT_TRUE(ReadPrinter(printer).found);
    RemovePrinter(printer);
    EXPECT_TRUE(Says(removed, "保留：文件 " + drivers + "\\3\\UNIDRV.DLL（系统共用的打印机驱动程序文件）"))
        << removed;
    EXPECT_TRUE(FileExists(drivers + "\\3\\UNIDRV.DLL"));
    EXPECT_TRUE(FileExists(drivers + "\\UNIDRV.DLL"));
    EXPECT_FALSE(FileExists(drivers + "\\3\\QR58.GPD"));
    // Windows' own universal-driver files stay, whether a driver names them or not.
    EXPECT_TRUE(FileExists(drivers + "\\3\\UNIDRVUI.DLL"));
    EXPECT_TRUE(Says(removed, "UNIDRVUI.DLL（系统共用的打印机驱动程序文件）")) << removed;
    EXPECT_TRUE(FileExists(drivers + "\\3\\ZX90.GPD"));
    EXPECT_TRUE(Says(removed, "保留：文件 " + drivers + "\\3\\QVSTD.DLL（驱动程序 " + name + " 仍在使用）"))
        << removed;
    EXPECT_TRUE(FileExists(drivers + "\\3\\QVSTD.DLL"));
    RemoveFile(drivers + "\\3\\QVSTD.DLL");
}

// A medium whose two port monitors share one user-interface file: removing the one monitor leaves the
// file to the other, which no key of the spooler says uses it.
TEST_F(RemovalFilesTest, AUserInterfaceFileAnotherMonitorSharesStays) {
    std::string setup = medium / "DRVCONFIG\\setup.ini", text = ReadTextFile(setup);
    for (size_t at = text.find("qvusbui.dll"); at != std::string::npos; at = text.find("qvusbui.dll", at))
        text.replace(at, 11, "qvcomui.dll");
    ASSERT_TRUE(WriteTextFile(setup, text));
    InstallTwoPrinters();
    std::string ui = SystemDirectoryPath() + "\\qvcomui.dll";
    std::string removed = Expect(0, "remove /printer:QL-60(S) /components");
    EXPECT_TRUE(Says(removed, "已删除：端口监视器 Qelvan COM Port")) << removed;
    EXPECT_TRUE(Says(removed, "已删除：文件 " + SystemDirectoryPath() + "\\qvcommon.dll\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "保留：文件 " + ui + "（端口监视器 Qelvan USB Port 仍在使用）")) << removed;
    EXPECT_TRUE(FileExists(ui));
}

// Windows 98/Me keeps drivers' files in its system folder: the universal printer driver's files there are
// Windows' own and stay; the model's own files go.
TEST_F(RemovalFilesTest, OnWindows98TheUniversalDriverStays) {
    // The USB printer: its raster driver is built on the universal driver.
    Expect(3010, "install /model:QR-58", "win98");
    std::string folder = SpoolerDriverDirectory(k9xEnvironment);
    ASSERT_TRUE(FileExists(folder + "\\UNIDRV.DLL"));
    std::string removed = Expect(0, "remove /all /driver /components", "win98");
    EXPECT_TRUE(Says(removed, "UNIDRV.DLL（系统共用的打印机驱动程序文件）")) << removed;
    EXPECT_TRUE(FileExists(folder + "\\UNIDRV.DLL"));
    EXPECT_FALSE(FileExists(folder + "\\QR58.DRV")) << removed;
}

// Windows' shared driver data files stay, whatever driver named them; a file a removal left to the next
// start goes no more once an installation before that start uses it again.
TEST_F(RemovalFilesTest, SharedFilesStayAndAReinstallBeforeTheRestartKeepsItsFiles) {
    for (const std::string& folder : {drivers, drivers + "\\3"}) {
        for (const char* shared : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
            ASSERT_TRUE(WriteTextFile(folder + "\\" + shared, "windows own"));
    }
    Expect(0, "install /model:QL-60 /port:TVCOM2:");
    std::string config = drivers + "\\3\\QVSTDUI.DLL";
    // Held without leave to rename or delete: the removal can only name it for the next start.
    HANDLE held =
        CreateFileA(config.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string removed = Expect(0, "remove /printer:QL-60(S) /driver");
    Close(held);
    EXPECT_TRUE(Says(removed, "重新启动后删除：文件 " + config + "\r\n")) << removed;
    EXPECT_TRUE(Says(removed, "TTFSUB.GPD（系统共用的打印机驱动程序文件）")) << removed;
    Expect(0, "install /model:QL-60 /port:TVCOM2:");
    Restart();
    EXPECT_TRUE(FileExists(config));
    // The file stayed ours while its deletion waited: the next removal takes it.
    std::string again = Expect(0, "remove /printer:QL-60(S) /driver");
    EXPECT_FALSE(Says(again, "安装前已在系统中")) << again;
    EXPECT_FALSE(FileExists(config)) << again;
    for (const std::string& folder : {drivers, drivers + "\\3"})
        EXPECT_EQ("windows own", ReadTextFile(folder + "\\UNIRES.DLL")) << folder;
    for (const std::string& folder : {drivers, drivers + "\\3"}) {
        for (const char* shared : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
            RemoveFile(folder + "\\" + shared);
    }
}

// A till where files of the medium's names stood in the system's folders before the installation, put
// there by Windows or another program and registered by nobody: the installation replaces them, and a
// complete removal and the restart after it leave every one of them; only what the installation created
// goes, and its record of the folders goes with the last of it.
TEST_F(RemovalFilesTest, FilesThatWereThereBeforeTheInstallationStay) {
    std::string system = SystemDirectoryPath();
    std::vector<std::string> there = {
        system + "\\qvcomui.dll",    drivers + "\\QR58.GPD",
        drivers + "\\3\\QVSTD.DLL",  SpoolerProcessorDirectory() + "\\qvproc.dll",
        drivers + "\\3\\UNIDRV.DLL", drivers + "\\3\\UNIDRVUI.DLL",
        drivers + "\\3\\UNIDRV.HLP", drivers + "\\UNIDRV.DLL"};
    for (const std::string& file : there) ASSERT_TRUE(WriteTextFile(file, "there before")) << file;
    // What other tests' installations noted is not this till's.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qelvan\\SystemFiles");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qelvan\\Drivers");
    InstallTwoPrinters();
    // Windows' own universal driver is not replaced by the medium's.
    EXPECT_EQ("there before", ReadTextFile(drivers + "\\UNIDRV.DLL"));
    std::string removed = Expect(0, "remove /all /driver /components");
    Restart();
    for (const std::string& file : there) EXPECT_TRUE(FileExists(file)) << file << "\n" << removed;
    EXPECT_TRUE(
        Says(removed, "保留：文件 " + drivers + "\\3\\QVSTD.DLL（安装前已在系统中，不是本产品的文件）"))
        << removed;
    EXPECT_FALSE(FileExists(system + "\\qvusbmon.dll")) << removed;
    EXPECT_FALSE(FileExists(drivers + "\\3\\QR58.GPD")) << removed;
    // The product's records of files and drivers go with the last of what they speak of.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qelvan"));
    for (const std::string& file : there) RemoveFile(file);
}
