// QelvanDeploy check on a till of two printers (serial and USB), healthy and then broken one way at a
// time: each fault found and named with 1603, the till the same before and after every check (the
// spooler's and the maker's keys, the spooler's folders), and the fault mended as the line says.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/support/ServiceState.h"

namespace {
// Every file below a folder with its size and time of writing.
void DumpFolder(const std::string& folder, std::string& dump) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        std::string path = folder + "\\" + found.cFileName;
        if (found.cFileName[0] == '.') continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DumpFolder(path, dump);
        dump += path + "|" + std::to_string(found.nFileSizeLow) + "|" +
                std::to_string(found.ftLastWriteTime.dwLowDateTime) + "\n";
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// The spooler's and the maker's keys, every key and value as the system's own reg.exe lists them, and
// the spooler's folders.
std::string TillState() {
    DWORD exitCode = 0;
    std::string dump;
    for (const char* key : {"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print", "HKLM\\SOFTWARE\\TALVERN"})
        dump += RunAndCapture(std::string("reg query ") + key + " /s", exitCode);
    DumpFolder(SystemDirectoryPath() + "\\spool", dump);
    return dump;
}

// Starts or stops the "Spooler" service with the system's own command, which waits for it.
bool ControlSpooler(bool run) {
    DWORD exitCode = 1;
    RunAndCapture(run ? "net start spooler" : "net stop spooler", exitCode);
    return SpoolerState() == (run ? SERVICE_RUNNING : SERVICE_STOPPED);
}

class CheckTest : public DeployTest {
protected:
    // Gives an installed printer another port and print processor, as its properties would.
    static void SetPrinterTo(const char* name, const char* port, const char* processor) {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterA(const_cast<char*>(name), &printer, &all));
        DWORD needed = 0;
        GetPrinterA(printer, 2, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed);
        ASSERT_TRUE(GetPrinterA(printer, 2, buffer.data(), needed, &needed));
        PRINTER_INFO_2A* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
        std::string newPort = port, newProcessor = processor;
        info->pPortName = &newPort[0];
        info->pPrintProcessor = &newProcessor[0];
        EXPECT_TRUE(SetPrinterA(printer, 2, buffer.data(), 0));
        ClosePrinter(printer);
        EXPECT_EQ(port, ReadPrinter(name).port);
    }
    // Runs check and expects its exit code, a till unchanged by it and, when given, one of its lines.
    std::string Check(DWORD expected, const std::string& arguments = "", const std::string& line = "") {
        std::string before = TillState();
        std::string said = Expect(expected, "check " + arguments);
        EXPECT_EQ(before, TillState()) << said;
        EXPECT_TRUE(Says(said, line)) << said;
        return said;
    }
    // Moves a file away, as a file gone missing from the till.
    static bool Hide(const std::string& path) {
        return MoveFileA(path.c_str(), (path + ".away").c_str()) != 0;
    }
};

TEST_F(CheckTest, EachFaultOfATillIsNamedAndTheTillLeftAsItWas) {
    // A till without a printer of the medium has nothing that prints.
    ASSERT_TRUE(ControlSpooler(true));
    Check(1603, "", "本机没有安装介质上型号的打印机：用 QelvanDeploy install 或 apply 安装。");

    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    Expect(0, "install /model:QR-58 /port:USB_QR-58_1");
    ASSERT_TRUE(ControlSpooler(true));
    Check(0, "",
          "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题。\n打印机 QR-58(U) 1（端口 "
          "USB_QR-58_1）：未发现问题。\n退出码");

    // The USB printer came back with another number: the serial printer is still sound.
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 1}}));
    std::string usb =
        Check(1603, "",
              "打印机 QR-58(U) 1：端口 USB_QR-58_1 要编号 1 的USB打印机，应答的打印机编号为 2：用 "
              "QelvanDeploy remove /printer:QR-58(U) 1 后再 install /model:型号 /port:USB_QR-58_1 /renumber");
    EXPECT_TRUE(Says(usb, "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题。")) << usb;
    EXPECT_FALSE(Says(usb, "QR-58(U) 1（端口 USB_QR-58_1）：未发现问题")) << usb;
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));

    // A file of the driver gone: named, and the install the line advises brings it back.
    std::string data = SpoolerDriverDirectory() + "\\3\\QR58.GPD";
    ASSERT_TRUE(Hide(data)) << data;
    std::string driver =
        Check(1603, "/printer:\"qr-58(u) 1\"",
              "打印机 QR-58(U) 1：驱动程序 " + ReadPrinter("QR-58(U) 1").driver + " 的文件 " + data +
                  " 不存在或是空的：用 QelvanDeploy repair 从安装介质放回。");
    EXPECT_FALSE(Says(driver, "QR-58(S)")) << driver;
    Expect(0, "install /model:QR-58 /port:USB_QR-58_1");
    Check(0, "/printer:\"QR-58(U) 1\"");

    // The print processor's file and the USB monitor's user-interface file gone: each named with the
    // medium's copy, which brings it back.
    std::string processor = SpoolerProcessorDirectory() + "\\qvproc.dll",
                ui = SystemDirectoryPath() + "\\qvusbui.dll";
    ASSERT_TRUE(Hide(processor) && Hide(ui));
    std::string components =
        Check(1603, "",
              "打印机 QR-58(S)：打印处理器 QelvanProc 的文件 " + processor + " 不存在：把安装介质上的 " +
                  (medium / "winnt\\qvproc.dll") + " 复制到那里。");
    EXPECT_TRUE(Says(components, "打印机 QR-58(U) 1：端口监视器 Qelvan USB Port 的文件 " + ui +
                                     " 不存在：把安装介质上的 " + (medium / "winnt\\qvusbui.dll") +
                                     " 复制到那里，然后重新启动计算机。"))
        << components;
    ASSERT_TRUE(CopyFileTo(medium / "winnt\\qvproc.dll", processor) &&
                CopyFileTo(medium / "winnt\\qvusbui.dll", ui));
    Check(0);
    for (const std::string& away : {data, processor, ui}) RemoveFile(away + ".away");

    // The spooler stopped: one line for the till, whatever the printers.
    ASSERT_TRUE(ControlSpooler(false));
    Check(1603, "", "打印后台处理程序服务（Spooler）没有运行（状态 1）：运行 net start spooler");
    ASSERT_TRUE(ControlSpooler(true));

    // The serial printer moved to the system's own print processor and its port named in other case, as
    // a user may set them by hand: neither is a fault.
    std::string ownProcessor = ReadPrinter("QR-58(S)").processor;
    SetPrinterTo("QR-58(S)", "tvcom1:", "winprint");
    // The system's processor lives where the system keeps it (Windows 7 inside localspl.dll), not
    // necessarily in the processor folder, where Wine puts it.
    std::string systemProcessor = SpoolerProcessorDirectory() + "\\winprint.dll";
    ASSERT_TRUE(Hide(systemProcessor));
    Check(0, "/printer:QR-58(S)", "打印机 QR-58(S)（端口 tvcom1:）：未发现问题。");
    ASSERT_TRUE(MoveFileA((systemProcessor + ".away").c_str(), systemProcessor.c_str()));
    // The port is still the COM monitor's: a file of it gone is named.
    std::string comUi = SystemDirectoryPath() + "\\qvcomui.dll";
    ASSERT_TRUE(Hide(comUi));
    Check(1603, "/printer:QR-58(S)",
          "打印机 QR-58(S)：端口监视器 Qelvan COM Port 的文件 " + comUi + " 不存在");
    ASSERT_TRUE(MoveFileA((comUi + ".away").c_str(), comUi.c_str()));
    SetPrinterTo("QR-58(S)", "TVCOM1:", ownProcessor.c_str());

    // Another run at work: check waits for none and reads nothing.
    HANDLE setupLock = CreateMutexA(nullptr, TRUE, "QelvanSetup");
    HANDLE deployLock = CreateMutexA(nullptr, TRUE, "QelvanDeploy");
    Check(1618);
    CloseHandle(deployLock);
    CloseHandle(setupLock);

    // A name that is no printer of the medium.
    Check(1639, "/printer:NoSuchPrinter", "没有名为 NoSuchPrinter 的打印机。");
    ForeignPrinter foreign;
    Check(1639, "/printer:\"Other Maker Receipt\"",
          "打印机 Other Maker Receipt 的驱动程序 Other Maker Receipt Driver 不是安装介质上的，不检查。");
}
}  // namespace

// Windows 98/Me has no service manager: check asks no service's state there.
TEST_F(CheckTest, OnWindows98NoServiceIsAskedFor) {
    Expect(3010, "install /model:QR-58 /port:COM1:", "win98");
    ASSERT_TRUE(ControlSpooler(false));
    DWORD exitCode = 0;
    std::string said = Deploy("check", exitCode, "win98");
    EXPECT_TRUE(Says(said, "打印机 QR-58(S)")) << said;
    EXPECT_FALSE(Says(said, "Spooler")) << said;
}
