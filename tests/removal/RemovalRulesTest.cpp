// The removal rules' own decisions: what the spooler's answer to the size query means, which of the
// medium's monitors a system has at all, and the lines that say a failure.
#include <gtest/gtest.h>

#include "removal/MediumNames.h"
#include "removal/RemovalRules.h"
#include "removal/SystemPrinters.h"
#include "tests/support/TestSupport.h"

namespace {
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
    EXPECT_TRUE(Contains(names.drivers, "qelvan qr-58 gdi"));
    EXPECT_EQ(std::vector<std::string>{"QelvanProc"}, names.processors);
}

TEST(RemovalLines, AFailureSaysTheItemAndTheError) {
    EXPECT_EQ("删除失败：USB端口记录 USB_QR-58_1  er = 5",
              DescribeRemoval({RemovalKind::UsbPortRecord, "USB_QR-58_1", RemovalResult::Failed, "", 5}));
    EXPECT_EQ("无法列出本机的打印机  er = 1722",
              DescribeRemoval({RemovalKind::PrinterList, "", RemovalResult::Failed, "", 1722}));
}
