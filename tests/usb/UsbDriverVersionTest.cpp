#include "usb/UsbDriverVersion.h"

#include <gtest/gtest.h>

#include <string>

#include "common/BoundedText.h"
#include "tests/support/TestSupport.h"
#include "tests/usb/UsbTestFixtures.h"

TEST(UsbDriverVersion, ReadsTheFileVersionText) {
    char version[50];
    GetFileVersionString((ExeDir() + "bulkusb_1_0_0_12.sys").c_str(), version);
    EXPECT_STREQ("1.0.0.12", version);
    GetFileVersionString((ExeDir() + "bulkusb_0_0_0_0.sys").c_str(), version);
    EXPECT_STREQ("0.0.0.0", version);
    // A version resource whose FileVersion text is empty, a file without a version resource, a file
    // that is no program file at all, and no file.
    CopyText(version, "x");
    GetFileVersionString((ExeDir() + "bulkusb_empty.sys").c_str(), version);
    EXPECT_STREQ("0.0.0.0", version);
    CopyText(version, "x");
    GetFileVersionString((ExeDir() + "TvUsbInt_nouWrite.dll").c_str(), version);
    EXPECT_STREQ("0.0.0.0", version);
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir / "bulkusb.sys", "not a driver"));
    CopyText(version, "x");
    GetFileVersionString((dir / "bulkusb.sys").c_str(), version);
    EXPECT_STREQ("0.0.0.0", version);
    CopyText(version, "x");
    GetFileVersionString((dir / "missing.sys").c_str(), version);
    EXPECT_STREQ("0.0.0.0", version);
}

TEST(UsbDriverVersion, CutsTheTextToTheBuffer) {
    char version[6];
    GetFileVersionString((ExeDir() + "bulkusb_1_0_0_12.sys").c_str(), version);
    EXPECT_STREQ("1.0.0", version);
    char tiny[4];
    GetFileVersionString((ExeDir() + "bulkusb_empty.sys").c_str(), tiny);
    EXPECT_STREQ("0.0", tiny);
}

TEST(UsbDriverVersion, ComparesMediumAndInstalledDriver) {
    struct Case {
        const char* medium;     // fixture on the medium, empty for none
        const char* installed;  // fixture in the system's drivers directory, empty for none
        int expected;
    };
    const Case cases[] = {
        {"bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_3.sys", UsbDriverOutdated},
        {"bulkusb_1_0_0_5.sys", "", UsbDriverMissing},
        {"", "", UsbDriverCurrent},
        {"bulkusb_1_0_0_3.sys", "bulkusb_1_0_0_5.sys", UsbDriverCurrent},
        {"bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_5.sys", UsbDriverCurrent},
        {"", "bulkusb_1_0_0_3.sys", UsbDriverCurrent},
        // A version written as 0.0.0.0, or an empty text, reads as no driver, unless both are alike.
        {"bulkusb_1_0_0_5.sys", "bulkusb_0_0_0_0.sys", UsbDriverMissing},
        {"bulkusb_1_0_0_5.sys", "bulkusb_empty.sys", UsbDriverMissing},
        {"bulkusb_0_0_0_0.sys", "bulkusb_0_0_0_0.sys", UsbDriverCurrent},
        {"", "bulkusb_0_0_0_0.sys", UsbDriverCurrent},
        // Only every second character counts: 1.0.0.12 and 1.0.0.13 both read as 1001.
        {"bulkusb_1_0_0_13.sys", "bulkusb_1_0_0_12.sys", UsbDriverCurrent},
        {"bulkusb_1_0_0_12.sys", "bulkusb_1_0_0_3.sys", UsbDriverCurrent},
        {"bulkusb_1_0_0_5.sys", "bulkusb_1_0_0_12.sys", UsbDriverOutdated},
    };
    for (const Case& c : cases) {
        UsbDriverFiles files(c.medium, c.installed);
        ASSERT_TRUE(files.Ready()) << c.medium << " / " << c.installed;
        EXPECT_EQ(c.expected, CheckUsbDriverVersion())
            << "medium " << c.medium << ", installed " << c.installed;
    }
}
