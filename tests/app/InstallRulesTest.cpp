#include "choices/InstallRules.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstallRules, PortKindFollowsThePortName) {
    EXPECT_EQ(Usb, DerivePortKind("USB_P58_1"));
    EXPECT_EQ(Serial, DerivePortKind("COM2:"));
    EXPECT_EQ(Serial, DerivePortKind("TVCOM3:"));
    EXPECT_EQ(Parallel, DerivePortKind("LPT1:"));
    EXPECT_EQ(-1, DerivePortKind("FILE:"));
    EXPECT_EQ(-1, DerivePortKind(""));
    EXPECT_EQ(Usb, DerivePortKind("USB_COM-LPT_2"));  // "USB_" is tested first
}

TEST(InstallRules, UsbPortNumberIsTheTrailingDigit) {
    EXPECT_EQ(3, UsbPortOwnNumber("USB_P58_3"));
    EXPECT_EQ(1, UsbPortOwnNumber("USB_X_2Y_1"));  // a "_2" inside the model name does not count
    EXPECT_EQ(0, UsbPortOwnNumber("USB_P58_9"));
    EXPECT_EQ(0, UsbPortOwnNumber("USB_P58"));
    EXPECT_EQ(0, UsbPortOwnNumber(""));
}

TEST(InstallRules, TypicalModeWantsNumberOne) {
    EXPECT_EQ(UsbCheck::Proceed, CheckUsbNumbering(Typical, -1, "USB_P58_1").action);  // no printer needed
    EXPECT_EQ(UsbCheck::Stop, CheckUsbNumbering(Typical, -2, "USB_P58_1").action);
    EXPECT_EQ(UsbCheck::Proceed, CheckUsbNumbering(Typical, 8, "USB_P58_1").action);  // 8 mod 8 + 1 = 1
    UsbCheckResult result = CheckUsbNumbering(Typical, 9, "USB_P58_1");
    EXPECT_EQ(UsbCheck::AskRenumber, result.action);
    EXPECT_EQ(1, result.targetNumber);
}

TEST(InstallRules, AdvancedModeWantsThePortsOwnNumber) {
    EXPECT_EQ(UsbCheck::NeedPrinter, CheckUsbNumbering(Advanced, -1, "USB_P58_3").action);
    EXPECT_EQ(UsbCheck::Stop, CheckUsbNumbering(Advanced, -2, "USB_P58_3").action);
    EXPECT_EQ(UsbCheck::Proceed, CheckUsbNumbering(Advanced, 2, "USB_P58_3").action);
    EXPECT_EQ(UsbCheck::Proceed, CheckUsbNumbering(Advanced, 0x0102, "USB_P58_3").action);  // 258: number 3
    UsbCheckResult result = CheckUsbNumbering(Advanced, 0, "USB_P58_3");
    EXPECT_EQ(UsbCheck::AskRenumber, result.action);
    EXPECT_EQ(3, result.targetNumber);
    EXPECT_EQ(UsbCheck::AskRenumber, CheckUsbNumbering(Advanced, 1, "USB_A_2B_3").action);
}

TEST(InstallRules, SuffixesDependOnThePortAndDoNotOverrun) {
    char name[200] = "P58";
    AppendPortSuffix(name, sizeof name, Serial, "TVCOM3:");
    EXPECT_STREQ("P58(S)", name);
    strcpy(name, "P58");
    AppendPortSuffix(name, sizeof name, Parallel, "LPT1:");
    EXPECT_STREQ("P58(P)", name);
    strcpy(name, "P58");
    AppendPortSuffix(name, sizeof name, Usb, "USB_P58_4");
    EXPECT_STREQ("P58(U) 4", name);
    strcpy(name, "X_2");
    AppendPortSuffix(name, sizeof name, Usb, "USB_X_2_1");
    EXPECT_STREQ("X_2(U) 1", name);  // one suffix, from the trailing number
    std::string longName(198, 'M');
    strcpy(name, longName.c_str());
    AppendPortSuffix(name, sizeof name, Usb, "USB_M_2");
    EXPECT_EQ(199u, strlen(name));
}

TEST(InstallRules, KrpC3PortsGetAShortAlias) {
    char alias[100] = "old";
    EXPECT_TRUE(BuildUsbPortAlias("USB_KRP-C3 Plus_2", alias, sizeof alias));
    EXPECT_STREQ("USB_KRP-C3_2", alias);
    EXPECT_FALSE(BuildUsbPortAlias("USB_P58_2", alias, sizeof alias));
    EXPECT_STREQ("", alias);
}
