// The profile rules end to end, on a till that also holds another maker's printer: a file that says two
// things is refused before anything changes, /exact removes nothing after a failed entry, /renumber
// never takes the printer of an earlier entry, and export writes only a file every till can apply.
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/e2e/E2eSupport.h"

namespace {
// The text saved as Notepad's "Unicode" (UTF-16, little-endian) or "Unicode big endian", with its
// byte-order mark.
std::string Utf16(const std::string& ansi, bool bigEndian = false) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    std::string bytes = bigEndian ? "\xfe\xff" : "\xff\xfe";
    for (wchar_t each : wide) {
        char low = static_cast<char>(each & 0xff), high = static_cast<char>((each >> 8) & 0xff);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST_F(DeployTest, AProfileThatSaysTwoThingsIsRefusedBeforeAnythingChanges) {
    ForeignPrinter foreign;
    ASSERT_TRUE(foreign.Untouched());
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));  // answers for USB port 1
    Expect(0, "install /model:QT-200 /default");
    std::string profile = medium / "two-things.ini";
    const std::string header = "[QelvanProfile]\r\nPrinters=2\r\n";
    const std::string qt200 = "Model=QT-200\r\nPort=LPT1:\r\nDefault=Yes\r\n";
    const std::string twice = "：出现了两次（名称不分大小写），无法确定以哪一处为准";
    const struct {
        std::string file;
        std::string named;
    } broken[] = {
        {header + "[Printer1]\r\nModel=QL-40\r\nPort=LPT2:\r\n[PRINTER1]\r\n" + qt200, "[PRINTER1]" + twice},
        {header + "[Printer1]\r\n" + qt200 + "[ Printer1 ]\r\nModel=QL-40\r\nPort=LPT2:\r\n",
         "[Printer1]" + twice},
        {"[QelvanProfile]\r\nPrinters=1\r\nPrinters=1\r\n[Printer1]\r\n" + qt200,
         "[QelvanProfile] Printers" + twice},
        {header + "[Printer1]\r\n" + qt200 + "[Printer2]\r\nModel=QL-40\r\nPort=LPT2:\r\nDefault=Yes\r\n",
         "[Printer2] Default：只能有一台默认打印机，[Printer1] 已是 Default=Yes"},
        {header + "[Printer1]\r\nModel=QL-60\r\nPort=TVCOM2:\r\nBaud=9600\r\n[Printer2]\r\nModel=QR-58\r\n"
                  "Port=TVCOM2:\r\nbaud=19200\r\n",
         "[Printer2] baud：与 [Printer1] Baud=9600 不同，而两台打印机在同一个端口 COM2: "
         "上，端口只能有一种串口设置"},
        // A file saved as Unicode or as UTF-8 with its mark, and blanks the profile functions skip.
        {Utf16("[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\n" + qt200 + "MODEL=QT-300\r\n"),
         "[Printer1] MODEL" + twice},
        {"\xef\xbb\xbf" + header + "[Printer1]\r\n" + qt200 + "[PRINTER1]\r\nModel=QL-40\r\nPort=LPT2:\r\n",
         "[PRINTER1]" + twice},
        {"[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\n" + qt200 + "\x0bMODEL=QT-300\r\n",
         "[Printer1] MODEL" + twice},
        // Lines ending in a lone CR or a bare LF, and a big-endian file, whose second section repeats the
        // first.
        {"[QelvanProfile]\nPrinters=2\n[Printer1]\nModel=QL-40\rPort=LPT2:\r[PRINTER1]\rModel=QT-200\rPort="
         "LPT1:\r\n",
         "[PRINTER1]" + twice},
        {Utf16(header + "[Printer1]\r\nModel=QL-40\r\nPort=LPT2:\r\n[PRINTER1]\r\n" + qt200, true),
         "[PRINTER1]" + twice},
        // A USB port holds one printer, in whatever case its name is written.
        {header + "[Printer1]\r\nModel=QR-58\r\nPort=USB_QR-58_1\r\n[Printer2]\r\nModel=QR-58\r\n"
                  "Port=usb_qr-58_1\r\nAdvanced=Yes\r\n",
         "[Printer2] Port：与 [Printer1] 在同一个USB端口 usb_qr-58_1 上，一个USB端口只能接一台打印机"},
        // One entry on a serial port names a setting the other leaves to its preset.
        {header + "[Printer1]\r\nModel=QL-60\r\nPort=TVCOM2:\r\nBaud=19200\r\n[Printer2]\r\nModel=QT-200\r\n"
                  "Port=COM2:\r\n",
         "[Printer2] Baud：缺少，而 [Printer1] Baud=19200 在同一个端口 COM2: "
         "上：同一端口上的打印机须给出相同的串口设置"},
        // A count that is no number.
        {"[QelvanProfile]\r\nPrinters=one\r\n[Printer1]\r\n" + qt200,
         "[QelvanProfile] Printers：缺少或不是数字"},
        {"[QelvanProfile]\r\nPrinters=3\r\n[Printer1]\r\n" + qt200 +
             "[Printer2]\r\nModel=QL-40\r\nPort=LPT2:\r\n[Printer3]\r\nModel=QR-58\r\nPort=USB_QR-58_2\r\n"
             "Advanced=Yes\r\n",
         "[Printer3] Port：连接着的USB打印机编号为 1，端口 USB_QR-58_2 要的是编号 2；用 /renumber "
         "同意重新编号。\n"
         "配置文件 " +
             profile + " [Printer3] 被拒绝：本机未做任何改动。"},
    };
    for (const auto& each : broken) {
        ASSERT_TRUE(WriteTextFile(profile, each.file));
        std::string refused = Expect(1639, "apply /exact /file:\"" + profile + "\"");
        EXPECT_TRUE(Says(refused, each.named)) << each.file << refused;
        EXPECT_EQ(1u, MakerPrinters().size()) << each.file << refused;
        EXPECT_EQ(0u, DefaultPrinterDevice().find("QT-200(P),")) << each.file;
    }
    EXPECT_TRUE(foreign.Untouched());

    // Inline comments are taken; a USB printer already on its port needs no renumbering.
    Expect(0, "install /model:QR-58 /advanced /port:USB_QR-58_2 /renumber");
    ASSERT_TRUE(WriteTextFile(profile,
                              "[QelvanProfile]\r\nPrinters=2 ; two printers\r\n[Printer1]\r\n"
                              "Model=QT-200\t; the receipt printer\r\nPort=LPT1:\r\nDefault=Yes\r\n"
                              "[Printer2]\r\nModel=QR-58\r\nPort=USB_QR-58_2 ; numbered 2 earlier\r\n"
                              "Advanced=Yes\r\n"));
    std::string applied = Expect(0, "apply /exact /file:\"" + profile + "\"");
    EXPECT_FALSE(Says(applied, "正在")) << applied;
    EXPECT_TRUE(Says(applied, "[Printer1] QT-200，端口 LPT1:\n")) << applied;
    EXPECT_TRUE(Says(applied, "[Printer2] 保留：QR-58(U) 2\n")) << applied;
    EXPECT_EQ(2u, MakerPrinters().size()) << applied;
    EXPECT_TRUE(foreign.Untouched());
}

TEST_F(DeployTest, RenumberingNeverTakesThePrinterOfAnEarlierEntryAndExactThenRemovesNothing) {
    ForeignPrinter foreign;
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));  // one printer, answering for USB port 1
    Expect(0, "install /model:QT-200");
    std::string profile = medium / "two-usb.ini";
    auto usbEntries = [&](int first, int second) {
        std::string file = "[QelvanProfile]\r\nPrinters=2\r\n";
        int number = 0;
        for (int port : {first, second}) {
            file += "[Printer" + std::to_string(++number) + "]\r\nModel=QR-58\r\nPort=USB_QR-58_" +
                    std::to_string(port) + "\r\nAdvanced=Yes\r\n";
        }
        return WriteTextFile(profile, file);
    };
    // The printer serves entry 1 as it is: entry 2 finds no further printer, and /exact keeps QT-200.
    ASSERT_TRUE(usbEntries(1, 2));
    std::string failed = Expect(1603, "apply /exact /renumber /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(failed, "[Printer2] 没有另一台USB打印机应答")) << failed;
    EXPECT_TRUE(Says(failed, "[Printer2] 失败：见上面的说明")) << failed;
    EXPECT_TRUE(Says(
        failed, "/exact：未删除任何打印机，因为上面有打印机未能按配置文件安装；本机其余的打印机保持原样。"))
        << failed;
    EXPECT_EQ("USB_QR-58_1", ReadPrinter("QR-58(U) 1").port);
    EXPECT_FALSE(ReadPrinter("QR-58(U) 2").found);
    EXPECT_TRUE(ReadPrinter("QT-200(P)").found) << failed;
    EXPECT_TRUE(foreign.Untouched());
    EXPECT_EQ(0u, Count(medium.UsbLog(), "uWrite")) << medium.UsbLog();
    // The same entries the other way round: the printer serves the entry on port 1 that comes later in
    // the file, and the entry before it may not take it.
    ASSERT_TRUE(usbEntries(2, 1));
    failed = Expect(1603, "apply /renumber /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(failed, "[Printer1] 没有另一台USB打印机应答")) << failed;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 2").found) << failed;
    EXPECT_EQ(0u, Count(medium.UsbLog(), "uWrite")) << medium.UsbLog();

    // Entry 1 renumbers the printer to 3, the printer is asked again, and entry 2 may not take it back.
    Expect(0, "remove /printer:\"QR-58(U) 1\"");
    ASSERT_TRUE(WriteTextFile(medium / "TvUsbInt.log", ""));
    ASSERT_TRUE(usbEntries(3, 4));
    failed = Expect(1603, "apply /renumber /file:\"" + profile + "\"");
    EXPECT_EQ("USB_QR-58_3", ReadPrinter("QR-58(U) 3").port) << failed;
    EXPECT_TRUE(Says(failed, "[Printer1] 已安装：QR-58(U) 3\n")) << failed;
    EXPECT_FALSE(ReadPrinter("QR-58(U) 4").found) << failed;
    EXPECT_EQ(1u, Count(medium.UsbLog(), "uWrite")) << medium.UsbLog();
    EXPECT_EQ(2u, Count(medium.UsbLog(), "GetDescriptor")) << medium.UsbLog();
}

TEST_F(DeployTest, ExportWritesOnlyWhatEveryTillCanApply) {
    ForeignPrinter foreign;
    TempDir share("qelvan-share");
    std::string profile = share / "till.ini";
    ASSERT_TRUE(WriteTextFile(profile, "[QelvanProfile]\r\nPrinters=0\r\n"));
    // A machine without the medium's printers writes nothing over the share's file.
    std::string none = Expect(1603, "export /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(none, "未写出配置文件")) << none;
    EXPECT_EQ("[QelvanProfile]\r\nPrinters=0\r\n", ReadTextFile(profile));

    Expect(0, "install /model:QL-60 /port:TVCOM2: /baud:19200 /flow:Xon/Xoff");
    Expect(0, "install /model:QT-200 /default");
    Expect(0, "install /model:QR-58");
    std::string exported = Expect(0, "export /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(exported, "已导出：打印机 QT-200(P)，型号 QT-200，端口 LPT1:")) << exported;
    EXPECT_TRUE(Says(exported, "till.ini：3 台打印机")) << exported;
    EXPECT_EQ(
        0u,
        ReadTextFile(profile).find(
            "; Qelvan 打印机配置：由 QelvanDeploy export 写出，用 QelvanDeploy apply /file:文件 "
            "在其他机器上照此安装。\r\n; 可以编辑：每台打印机一节；增删打印机时请同时改 Printers 的数目（0 "
            "表示这台机器不要任何打印机）。\r\n; Advanced、Default 为 Yes 或 No；串口的 Baud、DataBits、"
            "Parity、StopBits、Flow 用端口页列表中的写法。\r\n[QelvanProfile]\r\n"))
        << ReadTextFile(profile);
    EXPECT_TRUE(Says(ReadTextFile(profile), "Printers=3\n")) << ReadTextFile(profile);
    // A folder that is not there: said with the error, nothing written.
    std::string unwritten = Expect(1603, "export /file:\"" + (share / "none\\till.ini") + "\"");
    EXPECT_TRUE(Says(unwritten, "无法写入配置文件 " + (share / "none\\till.ini") + "  er = ")) << unwritten;
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((share / "*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, left) << found.cFileName;
    if (left != INVALID_HANDLE_VALUE) FindClose(left);
    std::string applied = Expect(0, "apply /exact /file:\"" + profile + "\"");
    EXPECT_FALSE(Says(applied, "正在")) << applied;

    // A baud rate set by hand, which the port page does not list: said, left out, and kept by apply.
    HKEY ports = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtPortsKey, 0, KEY_SET_VALUE, &ports));
    const char byHand[] = "14400,n,8,1,x";
    RegSetValueExA(ports, "COM2:", 0, REG_SZ, reinterpret_cast<const BYTE*>(byHand), sizeof byHand);
    RegCloseKey(ports);
    std::string partial = Expect(1603, "export /file:\"" + profile + "\"");
    EXPECT_TRUE(Says(partial, "未导出：打印机 QL-60(S) 端口 TVCOM2: 的设置 Baud=14400 不在端口页的列表中（"))
        << partial;
    EXPECT_TRUE(
        Says(partial,
             "（110、300、1200、2400、4800、9600、19200、38400、57600、115200）；配置文件中不写这一项，"
             "应用时各机器保持自己的设置。"))
        << partial;
    std::string written = ReadTextFile(profile);
    EXPECT_EQ(std::string::npos, written.find("Baud=")) << written;
    EXPECT_TRUE(Says(written, "Port=TVCOM2:\nAdvanced=No\nDefault=No\nDataBits=8\n")) << written;
    applied = Expect(0, "apply /exact /file:\"" + profile + "\"");
    EXPECT_EQ(byHand, ReadStringOrNone(HKEY_LOCAL_MACHINE, kNtPortsKey, "COM2:")) << applied;
    EXPECT_EQ(3u, MakerPrinters().size());
    EXPECT_TRUE(foreign.Untouched());
}
}  // namespace

namespace {
TEST_F(DeployTest, ExportOnWindows98ReplacesTheOldFileWhole) {
    // Windows 98/Me have no MoveFileEx: the old file goes first, then the new one takes its name.
    Expect(3010, "install /model:QT-200", "win98");
    TempDir share("qelvan-share98");
    std::string profile = share / "till.ini";
    ASSERT_TRUE(WriteTextFile(profile, "an older file"));
    std::string output = Expect(0, "export /file:\"" + profile + "\"", "win98");
    EXPECT_TRUE(Says(ReadTextFile(profile), "Model=QT-200\nPort=LPT1:\n")) << output;
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((share / "*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, left) << found.cFileName;
    if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

// Only the medium's printers are the medium's: a printer of another maker on the model's own port is no
// printer of the model, apply without /exact removes nothing, "Printers=0" is a count, a printer the
// medium's offer cannot place makes export fail, and the entry stays while monitors of the medium do.
TEST_F(DeployTest, TheCommandsTakeOnlyTheMediumsPrinters) {
    ForeignPrinter foreign("LPT1:");
    ASSERT_TRUE(foreign.Untouched());
    EXPECT_TRUE(Says(Expect(0, "install /model:QT-200"), "正在添加打印机"));
    Expect(0, "install /model:QL-60 /port:TVCOM2:");
    std::string profile = medium / "empty.ini";
    EXPECT_TRUE(
        Says(Expect(1639, "apply /file:\"" + profile + "\""), "无法读取配置文件 " + profile + "  er = 2"));
    ASSERT_TRUE(WriteTextFile(profile, "[QelvanProfile]\r\nPrinters=0\r\n"));
    Expect(0, "apply /file:\"" + profile + "\"");
    EXPECT_EQ(2u, MakerPrinters().size());

    // A printer of the medium's driver on a port no offer holds cannot be exported.
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>("QT-200 to file");
    info.pPortName = const_cast<char*>("FILE:");
    info.pDriverName = const_cast<char*>("Qelvan QT-200 GDI");
    info.pPrintProcessor = const_cast<char*>(ReadPrinter("QT-200(P)").processor.c_str());
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(nullptr, added);
    ClosePrinter(added);
    EXPECT_TRUE(Says(Expect(1603, "export /file:\"" + (medium / "till.ini") + "\""),
                     "未导出：打印机 QT-200 to file"));

    // Without /components the monitors stay, and with them the entry in the list of installed programs.
    Expect(0, "remove /all /driver");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    Expect(0, "apply /exact /file:\"" + profile + "\"");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey));
    EXPECT_TRUE(foreign.Untouched());
}
}  // namespace
