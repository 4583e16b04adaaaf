// check names the real cause and repair mends it: on a till of a serial and a USB printer (beside
// another maker's printer used offline, which repair leaves so), a printer used offline, a Windows file
// the driver's registration names gone, a monitor's file gone (not "the port is missing", which follows
// from it), the spooler stopped (and nothing said of the printers behind it); each repaired, then check
// finds nothing; check run from the program folder's copy on a sound till.
#include <windows.h>
#include <winspool.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/support/ServiceState.h"

namespace {
bool ControlSpooler(bool run) {
    DWORD exitCode = 1;
    RunAndCapture(run ? "net start spooler" : "net stop spooler", exitCode);
    return SpoolerState() == (run ? SERVICE_RUNNING : SERVICE_STOPPED);
}

// Changes the printer's level-2 settings as the printer's window does.
bool ChangePrinter(const std::string& printer, const std::function<void(PRINTER_INFO_2A&)>& change) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::string name = printer;
    if (!OpenPrinterA(&name[0], &handle, &all)) return false;
    DWORD needed = 0;
    GetPrinterA(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    bool done = GetPrinterA(handle, 2, buffer.data(), needed, &needed) != FALSE;
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    if (done) {
        change(*info);
        info->pSecurityDescriptor = nullptr;
        done = SetPrinterA(handle, 2, buffer.data(), 0) != FALSE;
    }
    ClosePrinter(handle);
    return done;
}

// Sets or clears "Use Printer Offline".
bool SetOffline(const std::string& printer, bool offline) {
    return ChangePrinter(printer, [offline](PRINTER_INFO_2A& info) {
        info.Attributes = offline ? info.Attributes | PRINTER_ATTRIBUTE_WORK_OFFLINE
                                  : info.Attributes & ~PRINTER_ATTRIBUTE_WORK_OFFLINE;
    });
}

// The registered files of the USB printer's driver, as the spooler names them.
std::vector<std::string> DriverFiles() {
    std::vector<std::string> files;
    HANDLE handle = nullptr;
    std::string printer = "QR-58(U) 1";
    if (!OpenPrinterA(&printer[0], &handle, nullptr)) return files;
    DWORD needed = 0;
    GetPrinterDriverA(handle, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (GetPrinterDriverA(handle, nullptr, 3, buffer.data(), needed, &needed)) {
        auto* info = reinterpret_cast<DRIVER_INFO_3A*>(buffer.data());
        for (const char* file : {info->pDriverPath, info->pDataFile, info->pConfigFile, info->pHelpFile})
            if (file != nullptr && *file != '\0') files.push_back(file);
        for (const char* at = info->pDependentFiles; at != nullptr && *at != '\0'; at += strlen(at) + 1)
            files.push_back(at);
    }
    ClosePrinter(handle);
    return files;
}

bool Offline(const std::string& printer) {
    HANDLE handle = nullptr;
    std::string name = printer;
    if (!OpenPrinterA(&name[0], &handle, nullptr)) return false;
    DWORD needed = 0;
    GetPrinterA(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    bool offline =
        GetPrinterA(handle, 2, buffer.data(), needed, &needed) &&
        (reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE);
    ClosePrinter(handle);
    return offline;
}

bool Hide(const std::string& path) {
    return MoveFileA(path.c_str(), (path + ".away").c_str()) != 0;
}

class CheckCausesTest : public DeployTest {
protected:
    void SetUp() override {
        Expect(0, "install /model:QR-58 /port:TVCOM1:");
        Expect(0, "install /model:QR-58 /port:USB_QR-58_1");
        ASSERT_TRUE(ControlSpooler(true));
    }
    // repair says the mend, and check then finds nothing.
    void Repaired(const std::string& line) {
        std::string mended = Expect(0, "repair");
        EXPECT_TRUE(Says(mended, line)) << mended;
        Expect(0, "check");
    }
    std::string Check(DWORD expected, const std::string& line) {
        std::string said = Expect(expected, "check");
        EXPECT_TRUE(Says(said, line)) << said;
        return said;
    }
};

TEST_F(CheckCausesTest, EachBreakageIsNamedByItsOwnCauseAndRepaired) {
    ForeignPrinter foreign;
    ASSERT_TRUE(SetOffline("Other Maker Receipt", true));
    std::string sound = Expect(0, "check");
    ASSERT_TRUE(Says(sound, "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题。")) << sound;

    // Used offline: the spooler keeps every job.
    ASSERT_TRUE(SetOffline("QR-58(S)", true));
    std::string offline = Check(1603, "打印机 QR-58(S) 设为“脱机使用打印机”");
    EXPECT_FALSE(Says(offline, "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题")) << offline;
    Repaired("已修复：打印机 QR-58(S) 已取消“脱机使用打印机”");

    // A Windows file the USB printer's driver names, gone.
    std::string windowsOwn;
    for (const std::string& file : DriverFiles()) {
        std::string name = file.substr(file.find_last_of('\\') + 1);
        for (const char* own : {"UNIDRV.DLL", "UNIDRVUI.DLL", "STDNAMES.GPD", "TTFSUB.GPD", "UNIRES.DLL"})
            if (lstrcmpiA(name.c_str(), own) == 0 && windowsOwn.empty()) windowsOwn = file;
    }
    ASSERT_FALSE(windowsOwn.empty()) << DriverFiles().size();
    ASSERT_TRUE(Hide(windowsOwn));
    std::string gone = Check(1603, "的文件 " + windowsOwn + " 不存在");
    EXPECT_FALSE(Says(gone, "QR-58(U) 1（端口 USB_QR-58_1）：未发现问题")) << gone;
    Repaired("已修复：文件 " + windowsOwn + " 已从安装介质放回");
    RemoveFile(windowsOwn + ".away");

    // The serial port monitor's file gone: the monitor is the cause, not the port it no longer lists.
    std::string monitorFile = SystemDirectoryPath() + "\\qvcommon.dll";
    ASSERT_TRUE(Hide(monitorFile));
    std::string monitor = Check(1603, "端口监视器 Qelvan COM Port 的文件 " + monitorFile + " 不存在");
    EXPECT_FALSE(Says(monitor, "不在系统的端口中")) << monitor;
    Repaired("已修复：文件 " + monitorFile + " 已从安装介质放回");
    RemoveFile(monitorFile + ".away");

    // The spooler stopped: its line alone, nothing of the printers it would have told of.
    ASSERT_TRUE(ControlSpooler(false));
    std::string stopped = Check(1603, "打印后台处理程序服务（Spooler）没有运行");
    EXPECT_FALSE(Says(stopped, "打印机 QR-58")) << stopped;
    Repaired("已修复：已启动打印后台处理程序服务（Spooler）");
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), SpoolerState());
    // Another maker's printer used offline is not the medium's: repair leaves it so.
    EXPECT_TRUE(foreign.Untouched());
    EXPECT_TRUE(Offline("Other Maker Receipt"));

    // From the program folder's copy, which carries the USB library too: the sound till is sound.
    std::string programFiles;
    ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               programFiles);
    std::string copy = programFiles + "\\Qelvan\\QelvanDeploy.exe";
    ASSERT_TRUE(FileExists(copy));
    DWORD exitCode = 0;
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    std::string fromFolder = RunAndCapture("\"" + copy + "\" check", exitCode, medium.Path(), 120000);
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    EXPECT_EQ(0u, exitCode) << fromFolder;
    EXPECT_TRUE(Says(fromFolder, "打印机 QR-58(U) 1（端口 USB_QR-58_1）：未发现问题。")) << fromFolder;
}

// Sets the printer's print processor.
bool SetProcessor(const std::string& printer, std::string processor) {
    return ChangePrinter(printer,
                         [&processor](PRINTER_INFO_2A& info) { info.pPrintProcessor = &processor[0]; });
}

TEST_F(CheckCausesTest, TwoBreakagesAtOnceAreMendedInOneRunAndNothingIsTakenFromTheProgramFolder) {
    // The spooler stopped and a printer offline: one repair starts the first and then mends the second.
    ASSERT_TRUE(SetOffline("QR-58(S)", true));
    ASSERT_TRUE(ControlSpooler(false));
    std::string both = Expect(0, "repair");
    EXPECT_TRUE(Says(both, "已修复：已启动打印后台处理程序服务（Spooler）")) << both;
    EXPECT_TRUE(Says(both, "已修复：打印机 QR-58(S) 已取消“脱机使用打印机”")) << both;

    // A driver file cut to no bytes cannot be the driver's: named, and put back from the medium.
    std::string data = SpoolerDriverDirectory() + "\\3\\QR58.GPD";
    std::string bytes = ReadTextFile(data);
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(WriteTextFile(data, ""));
    Check(1603, "的文件 " + data + " 不存在或是空的");
    Expect(0, "repair");
    EXPECT_EQ(bytes, ReadTextFile(data));

    // From the program folder's copy, whatever stands in a folder of the medium's name there is not the
    // medium's: nothing is taken from it.
    std::string programFiles;
    ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               programFiles);
    std::string folder = programFiles + "\\Qelvan";
    CreateDirectoryA((folder + "\\winnt").c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(folder + "\\winnt\\QR58.GPD", "another program's data"));
    ASSERT_TRUE(WriteTextFile(data, ""));
    DWORD exitCode = 0;
    SetWindowsVersionFor("QelvanDeploy.exe", "winxp");
    std::string fromFolder =
        RunAndCapture("\"" + folder + "\\QelvanDeploy.exe\" repair", exitCode, medium.Path(), 120000);
    SetWindowsVersionFor("QelvanDeploy.exe", "");
    EXPECT_EQ(1603u, exitCode) << fromFolder;
    EXPECT_TRUE(Says(fromFolder, "程序文件夹中的副本不带安装介质的文件")) << fromFolder;
    EXPECT_EQ("", ReadTextFile(data)) << fromFolder;
    RemoveTree(folder + "\\winnt");
    Expect(0, "repair");

    // A printer set to a processor nobody registered cannot print: named.
    ASSERT_TRUE(SetProcessor("QR-58(S)", "NoSuchProc"));
    Check(1603, "打印处理器 NoSuchProc");
}
}  // namespace
