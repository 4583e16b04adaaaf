#pragma once
// The fixture of the end-to-end engine tests: a clean prefix, a scratch medium as the working
// directory, and a wizard (never shown) whose choices the engine installs.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/sequence/SequenceSupport.h"

class EngineRunTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SystemMatchesVersion()) << "the executable sees another system"; }

    InstallChoices& Choices() { return wizard->choices; }
    EngineOutcome Install(const char* model, const char* port) {
        FillChoices(Choices(), model, port);
        return RunEngine(*wizard);
    }
    bool Windows98() const { return system == Windows98Me; }
    // The port whose monitor the system installs: USB on Windows 98/Me (no serial monitor there),
    // serial elsewhere.
    const char* MonitoredPort() const { return Windows98() ? "USB_QT-R58_1" : SerialPort(); }
    const char* MonitorOfPort() const { return Windows98() ? kUsbMonitor : kComMonitor; }
    std::string MonitorFileOfPort() const { return Windows98() ? "qtusbmon.dll" : "qtcommon.dll"; }
    DWORD MonitorVersionOfPort() const { return Windows98() ? kUsbVersion : kComVersion; }
    // The success text the engine leaves: none on Windows 98/Me, where the Install command shows its own.
    std::string SuccessText(bool usb) const {
        if (Windows98()) return "";
        return usb ? "打印机驱动安装成功\n请复位打印机使设置生效" : "打印机驱动安装成功";
    }
    // The driver's files that reached the printer-driver directory with the medium's content.
    bool DriverFileInstalled(const char* name) const {
        return ReadTextFile(SpoolerDriverDirectory() + "\\" + name) == std::string("stand-in ") + name;
    }
    // Nothing of the driver reached the spooler: none of its files, required or optional, is in the
    // printer-driver directory.
    static void ExpectNoDriverFiles() {
        for (const char* name : {"QTUI.DLL", "QTR58.GPD", "QTDRV.DLL", "QTDRV.HLP", "QTEXT.DLL", "QTUNI.DLL"})
            EXPECT_FALSE(FileExists(SpoolerDriverDirectory() + "\\" + name)) << name;
    }

    TargetSystem system = ExpectedSystem();
    InstallationLeftovers leftovers;
    SequenceMedium medium;  // the working directory from here on, so the wizard's configuration reads it
    std::unique_ptr<WizardDialog> wizard = std::make_unique<WizardDialog>();
};
