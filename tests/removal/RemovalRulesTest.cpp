// The removal rules' own decisions: what the spooler's answer to the size query means, which of the
// medium's monitors a system has at all, and the lines that say a failure.
#include <gtest/gtest.h>

#include "common/RegistryKey.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "removal/MediumNames.h"
#include "removal/ProgramEntry.h"
#include "removal/RemovalRules.h"
#include "removal/SystemPrinters.h"
#include "tests/support/TestSupport.h"

namespace {
BOOL WINAPI UnreadableDrivers(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
}

std::vector<std::string> MonitorNames(TargetSystem system) {
    std::vector<std::string> names;
    for (const MediumMonitor& monitor : ReadMediumNames(system).monitors) names.push_back(monitor.name);
    return names;
}
}  // namespace

TEST(PrinterEnumeration, OnlyAnEmptyAnswerOrTheSizeNeededGoOn) {
    EXPECT_EQ(EnumerationStart::NoPrinters, JudgeSizeQuery(TRUE, 0, 0));
    EXPECT_EQ(EnumerationStart::ReadList, JudgeSizeQuery(FALSE, ERROR_INSUFFICIENT_BUFFER, 412));
    // A spooler that cannot be reached is no empty list.
    EXPECT_EQ(EnumerationStart::Failed, JudgeSizeQuery(FALSE, RPC_S_SERVER_UNAVAILABLE, 0));
    EXPECT_EQ(EnumerationStart::Failed, JudgeSizeQuery(FALSE, ERROR_INSUFFICIENT_BUFFER, 0));
    EXPECT_EQ(EnumerationStart::Failed, JudgeSizeQuery(FALSE, ERROR_ACCESS_DENIED, 412));
}

TEST(MediumNamesOfASystem, OnlyTheMonitorsTheEngineInstallsThere) {
    CurrentDirectoryScope medium(MediumDir());
    typedef std::vector<std::string> Names;
    EXPECT_EQ((Names{"Qelvan COM Port", "Qelvan USB Port"}), MonitorNames(WindowsXP));
    EXPECT_EQ((Names{"Qelvan USB Port"}), MonitorNames(Windows98Me));
    EXPECT_EQ((Names{"Qelvan COM Port"}), MonitorNames(WindowsNT4));
    MediumNames names = ReadMediumNames(WindowsXP);
    EXPECT_TRUE(ListedIn(names.drivers, "qelvan qr-58 gdi"));
    EXPECT_EQ(std::vector<std::string>{"QelvanProc"}, names.processors);
}

TEST(RemovalLines, AFailureSaysTheItemAndTheError) {
    EXPECT_EQ("删除失败：USB端口记录 USB_QR-58_1  er = 5",
              DescribeRemoval({RemovalKind::UsbPortRecord, "USB_QR-58_1", RemovalResult::Failed, "", 5}));
    EXPECT_EQ("无法列出本机的打印机  er = 1722",
              DescribeRemoval({RemovalKind::PrinterList, "", RemovalResult::Failed, "", 1722}));
}

// A driver list the spooler cannot give is no empty list: the entry in the list of installed programs
// and its folder stay, and nothing is said; once the list reads, the entry of a till without the
// medium's printers goes.
TEST(EntryRemoval, ADriverListThatCannotBeReadKeepsTheEntry) {
    CurrentDirectoryScope medium(MediumDir());
    MediumNames names = ReadMediumNames(WindowsXP);
    std::string key =
        std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kProgramEntryKey;
    ASSERT_TRUE(RegistryKey::CreateKey(HKEY_LOCAL_MACHINE, key.c_str()));
    std::vector<RemovalItem> said;
    RemovalReport report = [&](const RemovalItem& item) { said.push_back(item); };
    {
        SeamOverride<decltype(Spooler().enumPrinterDrivers)> seam(Spooler().enumPrinterDrivers,
                                                                  UnreadableDrivers);
        RemoveEntryWhenNothingLeft(names, WindowsXP, report);
    }
    EXPECT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE, key.c_str()).IsOpen());
    EXPECT_TRUE(said.empty());
    RemoveEntryWhenNothingLeft(names, WindowsXP, report);
    EXPECT_FALSE(RegistryKey(HKEY_LOCAL_MACHINE, key.c_str()).IsOpen());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}
