// The wizard's port line in the till's log: the serial settings as the user chose them (1.5 stop bits
// as "1.5"), and none for a port that has no such settings.
#include <gtest/gtest.h>

#include <string>

#include "app/WizardLog.h"
#include "common/BoundedText.h"
#include "common/TillLog.h"
#include "tests/support/TestSupport.h"

namespace {
std::string LoggedPortChoice(PortKind kind, const char* port, double stopBits) {
    InstallChoices choices;
    choices.portKind = kind;
    CopyText(choices.portName, port);
    choices.baudRate = 9600;
    choices.dataBits = 8;
    choices.stopBits = stopBits;
    choices.parity = 'N';
    choices.flowControl = 'H';
    DeleteFileA(TillLogPath().c_str());
    LogPortChoice(choices);
    CloseTillLog();
    std::string log = ReadTextFile(TillLogPath());
    DeleteFileA(TillLogPath().c_str());
    return log;
}
}  // namespace

TEST(WizardLog, SerialSettingsAreLoggedAsChosenAndOnlyForASerialPort) {
    EXPECT_NE(std::string::npos, LoggedPortChoice(Serial, "TVCOM1:", 1.5).find("停止位 1.5，"));
    EXPECT_NE(std::string::npos, LoggedPortChoice(Serial, "TVCOM1:", 1.0).find("停止位 1，"));
    EXPECT_NE(std::string::npos, LoggedPortChoice(Serial, "TVCOM1:", 2.0).find("停止位 2，"));
    for (PortKind kind : {Usb, Parallel}) {
        std::string log = LoggedPortChoice(kind, kind == Usb ? "USB_QR-58_1" : "LPT1:", 0);
        EXPECT_NE(std::string::npos, log.find("端口：")) << log;
        EXPECT_EQ(std::string::npos, log.find("串口设置")) << log;
    }
}
