// QelvanDeploy end to end on a till that also holds another maker's printer: a model on a second port
// is a second printer, numbered as the wizard numbers it, and one run brings every outdated component
// up to date, naming each.
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/deploy/ForeignPrinter.h"
#include "tests/e2e/E2eSupport.h"

namespace {

TEST_F(DeployTest, AModelOnASecondPortIsASecondPrinter) {
    ForeignPrinter foreign("LPT1:");
    ASSERT_TRUE(foreign.Untouched());
    Expect(0, "install /model:QT-200 /port:LPT1:");
    std::string second = Expect(0, "install /model:QT-200 /port:LPT2:");
    EXPECT_TRUE(Says(second, "打印机：QT-200(P)(1)")) << second;
    EXPECT_EQ("LPT1:", ReadPrinter("QT-200(P)").port);
    EXPECT_EQ("LPT2:", ReadPrinter("QT-200(P)(1)").port);
    // Each is kept on its port by the next run.
    EXPECT_TRUE(Says(Expect(0, "install /model:QT-200 /port:LPT2:"), "QT-200(P)(1) 已在端口 LPT2: 上"))
        << second;
    EXPECT_EQ(2u, MakerPrinters().size());
    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, "QT-200(P)\tLPT1:\t")) << list;
    EXPECT_TRUE(Says(list, "QT-200(P)(1)\tLPT2:\t")) << list;
    EXPECT_TRUE(foreign.Untouched());
}

TEST_F(DeployTest, OneRunBringsEveryOutdatedComponentUpToDate) {
    ForeignPrinter foreign("LPT1:");
    Expect(0, "install /model:QR-58");
    Expect(0, "install /model:QL-60 /port:TVCOM2:");
    const std::string com = MonitorKey("Qelvan COM Port"), usb = MonitorKey("Qelvan USB Port");
    const std::string processor = ProcessorKey(kNtEnvironment, "QelvanProc");
    for (const std::string& key : {com, usb, processor}) SetVersion(key, 1);
    EXPECT_TRUE(Says(Expect(0, "list"), "打印处理器 QelvanProc：已安装版本 1，介质版本 2（过旧）"));

    // A new printer on a parallel port: its installation updates the processor, the run the monitors.
    std::string installed = Expect(0, "install /model:QT-200");
    for (const char* line : {"已更新：打印处理器 QelvanProc\r\n", "已更新：端口监视器 Qelvan COM Port\r\n",
                             "已更新：端口监视器 Qelvan USB Port\r\n"})
        EXPECT_TRUE(Says(installed, line)) << installed;
    std::string list = Expect(0, "list");
    EXPECT_FALSE(Says(list, "过旧")) << list;
    EXPECT_TRUE(HasVersion(com, 3) && HasVersion(usb, 2) && HasVersion(processor, 2)) << list;

    // A printer kept on its port: its monitor and the processor, both outdated, in one run.
    SetVersion(com, 1);
    SetVersion(processor, 1);
    std::string kept = Expect(0, "install /model:QL-60 /port:TVCOM2:");
    EXPECT_TRUE(Says(kept, "已更新：端口监视器 Qelvan COM Port\r\n已更新：打印处理器 QelvanProc\r\n"))
        << kept;
    EXPECT_FALSE(Says(kept, "Qelvan USB Port")) << kept;
    EXPECT_FALSE(Says(Expect(0, "list"), "过旧"));
    EXPECT_TRUE(foreign.Untouched());
}

}  // namespace
