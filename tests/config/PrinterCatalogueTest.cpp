#include <gtest/gtest.h>

#include <string>

#include "config/SetupConfig.h"
#include "tests/config/ConfigMedium.h"

namespace {
// "热敏" in GBK, so the model names are the bytes the ANSI API sees.
const std::string kChineseModel = "P58\xC8\xC8\xC3\xF4";
}  // namespace

TEST(PrinterCatalogue, EntriesAreSplitIntoModelAndCategory) {
    ConfigMedium medium;
    medium.Write("setup.ini",
                 "[DEVICENAME]\r\n"
                 "DEVICENUMBER=7\r\n"
                 "DEVICENAME1=" +
                     kChineseModel +
                     "-ReceiptPrinter\r\n"
                     "DEVICENAME2=T80-TicketPrinter-extra\r\n"
                     "DEVICENAME4=L1-ticketprinter\r\n"
                     "DEVICENAME5=X-TicketPrinter-ReceiptPrinter\r\n"
                     "DEVICENAME6=-EmbeddedPrinter\r\n"
                     "DEVICENAME7=E2-LabelPrinter\r\n"
                     "DEFAULTNAME=2\r\n");
    SetupConfig config;
    char name[200];
    EXPECT_EQ(7, config.GetDeviceCount());
    EXPECT_EQ(Receipt, config.GetDeviceName(1, name));
    EXPECT_EQ(kChineseModel, name);
    EXPECT_EQ(Ticket, config.GetDeviceName(2, name));
    EXPECT_STREQ("T80", name);  // the text after the suffix is dropped
    EXPECT_EQ(-1, config.GetDeviceName(3, name));
    EXPECT_STREQ("0", name);  // a missing entry
    EXPECT_EQ(-1, config.GetDeviceName(4, name));
    EXPECT_STREQ("L1-ticketprinter", name);  // suffixes are case-sensitive
    EXPECT_EQ(Receipt, config.GetDeviceName(5, name));
    EXPECT_STREQ("X-TicketPrinter", name);
    EXPECT_EQ(Embedded, config.GetDeviceName(6, name));
    EXPECT_STREQ("", name);
    EXPECT_EQ(Label, config.GetDeviceName(7, name));

    char defaultName[260];
    EXPECT_EQ(Ticket, config.GetDefaultDevice(defaultName));
    EXPECT_STREQ("T80", defaultName);
}

TEST(PrinterCatalogue, MissingOrOutOfRangeDefaultGivesNoCategory) {
    ConfigMedium medium;
    medium.Write("setup.ini", "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=A-ReceiptPrinter\r\n");
    SetupConfig config;
    char defaultName[260];
    EXPECT_EQ(-1, config.GetDefaultDevice(defaultName));
    EXPECT_STREQ("0", defaultName);

    medium.Write("setup.ini",
                 "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=A-ReceiptPrinter\r\nDEFAULTNAME=9\r\n");
    EXPECT_EQ(-1, config.GetDefaultDevice(defaultName));
}

TEST(PrinterCatalogue, WithoutConfigurationTheCatalogueIsEmpty) {
    ConfigMedium medium;  // no DRVCONFIG directory at all
    SetupConfig config;
    char name[200];
    EXPECT_EQ(0, config.GetDeviceCount());
    EXPECT_EQ(-1, config.GetDeviceName(1, name));
    EXPECT_STREQ("0", name);
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(WindowsXP, monitors);
    EXPECT_STREQ("0", monitors.comMonitor.pName);
    EXPECT_STREQ("0", monitors.usbMonitor.pDLLName);
    EXPECT_EQ(0, monitors.usbMonitorVersion);
    EXPECT_EQ(0, config.GetProcessorVersion());
}

TEST(PrinterCatalogue, OverlongEntriesAreCutToTheCallersBuffer) {
    ConfigMedium medium;
    std::string longModel(300, 'K');
    medium.Write("setup.ini", "[DEVICENAME]\r\nDEVICENAME1=" + longModel + "-LabelPrinter\r\n");
    SetupConfig config;
    char name[200];
    EXPECT_EQ(-1, config.GetDeviceName(1, name));  // the suffix lies beyond the 199 characters read
    EXPECT_EQ(199u, strlen(name));
    char small[10];
    config.GetDeviceName(1, small);
    EXPECT_STREQ("KKKKKKKKK", small);
}
