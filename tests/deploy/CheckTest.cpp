// QelvanDeploy check on a till of two printers (serial and USB), healthy and then broken one way at a
// time: each fault found and named with 1603, the till the same before and after every check (the
// spooler's and the maker's keys, the spooler's folders), and the fault mended as the line says.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/deploy/SpoolerControl.h"

namespace {
// Every key and value below a key of HKLM, one line each.
void DumpKey(const std::string& path, std::string& dump) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char name[512];
    BYTE data[4096];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        dump += path + "|" + name + "|" + std::to_string(type) + "|" +
                std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys) DumpKey(path + "\\" + subkey, dump);
}

// Every file below a folder with its size and time of writing.
void DumpFolder(const std::string& folder, std::string& dump) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DumpFolder(folder + "\\" + name, dump);
            continue;
        }
        dump += folder + "\\" + name + "|" + std::to_string(found.nFileSizeLow) + "|" +
                std::to_string(found.ftLastWriteTime.dwLowDateTime) + "\n";
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string TillState() {
    std::string dump;
    DumpKey("SYSTEM\\CurrentControlSet\\Control\\Print", dump);
    DumpKey("SOFTWARE\\TALVERN", dump);
    DumpFolder(SystemDirectoryPath() + "\\spool", dump);
    return dump;
}

// The registered file of the printer's driver that the driver's data file names.
std::string DriverDataFile(const std::string& printer) {
    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, nullptr)) return "";
    DWORD needed = 0;
    GetPrinterDriverA(handle, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    std::string file;
    if (GetPrinterDriverA(handle, nullptr, 3, buffer.data(), needed, &needed))
        file = reinterpret_cast<DRIVER_INFO_3A*>(buffer.data())->pDataFile;
    ClosePrinter(handle);
    return file;
}

class CheckTest : public DeployTest {
protected:
    // Runs check and expects its exit code and a till unchanged by it; its lines.
    std::string Check(DWORD expected, const std::string& arguments = "") {
        std::string before = TillState();
        std::string said = Expect(expected, "check " + arguments);
        EXPECT_EQ(before, TillState()) << said;
        return said;
    }
    // Moves a file away and back, as a file gone missing from the till.
    static bool Hide(const std::string& path, bool hide) {
        return hide ? MoveFileA(path.c_str(), (path + ".away").c_str()) != 0
                    : MoveFileA((path + ".away").c_str(), path.c_str()) != 0;
    }
};

TEST_F(CheckTest, EachFaultOfATillIsNamedAndTheTillLeftAsItWas) {
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    Expect(0, "install /model:QR-58 /port:USB_QR-58_1");
    ASSERT_TRUE(ControlSpooler(true));
    std::string healthy = Check(0);
    EXPECT_TRUE(Says(healthy, "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题。\n")) << healthy;
    EXPECT_TRUE(Says(healthy, "打印机 QR-58(U) 1（端口 USB_QR-58_1）：未发现问题。\n退出码：0")) << healthy;

    // The USB printer came back with another number: the serial printer is still sound.
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 1}}));
    std::string usb = Check(1603);
    EXPECT_TRUE(Says(usb,
                     "打印机 QR-58(U) 1：端口 USB_QR-58_1 要编号 1 的USB打印机，应答的打印机编号为 2：用 "
                     "QelvanDeploy remove /printer:QR-58(U) 1 后再 install /model:型号 /port:USB_QR-58_1 "
                     "/renumber 改编号"))
        << usb;
    EXPECT_TRUE(Says(usb, "打印机 QR-58(S)（端口 TVCOM1:）：未发现问题。")) << usb;
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));

    // A file of the driver gone: named, and the install the line advises brings it back.
    std::string data = DriverDataFile("QR-58(S)");
    ASSERT_TRUE(Hide(data, true)) << data;
    std::string driver = Check(1603, "/printer:qr-58(s)");
    EXPECT_TRUE(Says(driver, "打印机 QR-58(S)：驱动程序 " + ReadPrinter("QR-58(S)").driver + " 的文件 " +
                                 data +
                                 " 不存在：用 QelvanDeploy install /model:型号 /port:端口 从安装介质补上。"))
        << driver;
    EXPECT_FALSE(Says(driver, "QR-58(U) 1")) << driver;
    Expect(0, "install /model:QR-58 /port:TVCOM1:");
    Check(0, "/printer:QR-58(S)");
    RemoveFile(data + ".away");

    // The print processor's file and the USB monitor's user-interface file gone: each named with the
    // medium's copy, which brings it back.
    std::string processorFile = SpoolerProcessorDirectory() + "\\qvproc.dll";
    std::string monitorUi = SystemDirectoryPath() + "\\qvusbui.dll";
    ASSERT_TRUE(Hide(processorFile, true));
    ASSERT_TRUE(Hide(monitorUi, true));
    std::string components = Check(1603);
    EXPECT_TRUE(Says(components, "打印机 QR-58(S)：打印处理器 " + ReadPrinter("QR-58(S)").processor +
                                     " 的文件 " + processorFile + " 不存在：把安装介质上的 " +
                                     (medium / "winnt\\qvproc.dll") + " 复制到那里。"))
        << components;
    EXPECT_TRUE(Says(components, "打印机 QR-58(U) 1：端口监视器 Qelvan USB Port 的文件 " + monitorUi +
                                     " 不存在：把安装介质上的 " + (medium / "winnt\\qvusbui.dll") +
                                     " 复制到那里，然后重新启动计算机。"))
        << components;
    ASSERT_TRUE(CopyFileTo(medium / "winnt\\qvproc.dll", processorFile));
    ASSERT_TRUE(CopyFileTo(medium / "winnt\\qvusbui.dll", monitorUi));
    Check(0);
    RemoveFile(processorFile + ".away");
    RemoveFile(monitorUi + ".away");

    // The spooler stopped: one line for the till, whatever the printers.
    ASSERT_TRUE(ControlSpooler(false));
    std::string stopped = Check(1603);
    EXPECT_TRUE(Says(stopped, "打印后台处理程序服务（Spooler）没有运行（状态 1）：运行 net start spooler"))
        << stopped;
    ASSERT_TRUE(ControlSpooler(true));
    Check(0);

    // A name that is no printer of the medium.
    EXPECT_TRUE(Says(Check(1639, "/printer:NoSuchPrinter"), "没有名为 NoSuchPrinter 的打印机。"));
    ForeignPrinter foreign;
    EXPECT_TRUE(
        Says(Check(1639, "/printer:\"Other Maker Receipt\""),
             "打印机 Other Maker Receipt 的驱动程序 Other Maker Receipt Driver 不是安装介质上的，不检查。"));
}
}  // namespace
