#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/SetupConfig.h"
#include "tests/config/ConfigMedium.h"

namespace {
// The entries of a zero-separated list ending in an empty entry.
std::vector<std::string> ListEntries(const char* list) {
    std::vector<std::string> entries;
    for (const char* entry = list; *entry != '\0'; entry += strlen(entry) + 1) entries.push_back(entry);
    return entries;
}

std::string DescriptorSection(const std::string& model, const char* suffix, const std::string& extra) {
    return "[" + model + "." + suffix + "]\r\n" +
           "GDIDRIVERNAME = \"Qelvan P58 GDI\"\r\n"
           "GDIDriverPath=unidrv.dll\r\n"
           "GDIDataFile=p58.gpd\r\n"
           "GDIConfigFile=unidrvui.dll\r\n"
           "GDIHelpFile=unidrv.hlp\r\n"
           "GDIDataFileDLLName=p58res.dll\r\n"
           "GDIDataOemuniDLL=p58uni.dll\r\n"
           "GDIDataOemuniini=p58.ini\r\n"
           "GDIProcessorDLLName=qvproc.dll\r\n"
           "GDIPrintProcessor=QelvanProc\r\n"
           "STDDriverName=Qelvan P58\r\n"
           "STDDriverPath=p58.drv\r\n"
           "STDDataFile=p58.dat\r\n"
           "STDConfigFile=p58ui.drv\r\n"
           "STDHelpFile=0\r\n"
           "STDPrintProcessor=WinPrint\r\n"
           "ATTRIBUTES=64\r\n" +
           extra;
}

const char* const kSuffixes[] = {"98", "NT", "2K", "XP", "2003", "Vista"};

class DriverDescriptors : public ::testing::Test {
protected:
    void WriteModel(const std::string& extra) {
        std::string text;
        for (const char* suffix : kSuffixes) text += DescriptorSection("P58", suffix, extra);
        medium.Write("setup_receipt.ini", text);
    }
    ConfigMedium medium;
};
}  // namespace

TEST_F(DriverDescriptors, VersionEnvironmentAndDependentFilesFollowTheSystem) {
    WriteModel("GDI2KDDKDEV=1\r\n");
    SetupConfig config;
    config.currentCategory = Receipt;
    const DWORD versions[] = {0, 2, 3, 3, 3, 3};
    for (int system = Windows98Me; system <= WindowsVista; ++system) {
        SCOPED_TRACE(system);
        DRIVER_INFO_3A info = {};
        config.ReadDriverInfo("P58", system, info, 1);
        EXPECT_EQ(versions[system], info.cVersion);
        if (system == Windows98Me) {
            EXPECT_STREQ("Windows 4.0", info.pEnvironment);
        } else {
            EXPECT_EQ(nullptr, info.pEnvironment);
        }
        EXPECT_STREQ("Qelvan P58 GDI", info.pName);  // one line serves both spellings, quotes dropped
        EXPECT_STREQ("unidrv.dll", info.pDriverPath);
        EXPECT_STREQ("unidrvui.dll", info.pConfigFile);
        std::vector<std::string> expected;
        if (system >= Windows2000) {
            // GDIDataOemuiDLL is absent: it reads "0" and stays out of the list.
            expected = {"p58.gpd",    "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                        "p58res.dll", "p58uni.dll", "p58.ini"};
        }
        EXPECT_EQ(expected, ListEntries(info.pDependentFiles));
    }
    DRIVER_INFO_3A outside = {};
    config.ReadDriverInfo("P58", 6, outside, 1);
    EXPECT_STREQ("0", outside.pName);  // no section: every key reads its default
    EXPECT_TRUE(ListEntries(outside.pDependentFiles).empty());
}

TEST_F(DriverDescriptors, TheDdkKeyOfTheGdiFamilyDecidesTheListForBothFamilies) {
    WriteModel("GDI2KDDKDEV=2\r\n");
    SetupConfig config;
    config.currentCategory = Receipt;
    DRIVER_INFO_3A info = {};
    config.ReadDriverInfo("P58", WindowsXP, info, 0);
    EXPECT_STREQ("Qelvan P58", info.pName);
    EXPECT_EQ(4u, ListEntries(info.pDependentFiles).size()) << "the data file and the three base files";
    EXPECT_EQ("p58.dat", ListEntries(info.pDependentFiles)[0]);
    EXPECT_FALSE(config.IsDdkDriver("P58", WindowsXP, 0));  // STD2KDDKDEV is absent
    EXPECT_FALSE(config.IsDdkDriver("P58", WindowsXP, 1));  // "2" does not begin with "1"

    WriteModel("GDI2KDDKDEV=10\r\nSTD2KDDKDEV=1\r\n");
    EXPECT_TRUE(config.IsDdkDriver("P58", WindowsXP, 1));
    EXPECT_TRUE(config.IsDdkDriver("P58", WindowsXP, 0));
    EXPECT_FALSE(config.IsDdkDriver("P58", WindowsXP, 2));
}

TEST_F(DriverDescriptors, DriverFilesAndPrinterRecordComeFromTheChosenFamily) {
    WriteModel("");
    SetupConfig config;
    config.currentCategory = Receipt;
    DriverFileList files = {};
    config.ReadDriverFiles("P58", Windows2000, files, 0);
    EXPECT_STREQ("p58.drv", files.driverPath);
    EXPECT_STREQ("p58.dat", files.dataFile);
    EXPECT_STREQ("0", files.helpFile);
    EXPECT_STREQ("0", files.processorDll);
    config.ReadDriverFiles("P58", Windows2000, files, 1);
    EXPECT_STREQ("qvproc.dll", files.processorDll);
    EXPECT_STREQ("0", files.dataOemuiDll);
    EXPECT_STREQ("p58.ini", files.dataOemuniIni);

    PRINTER_INFO_2A printer = {};
    config.ReadPrinterInfo("P58", Windows2000, printer, 1);
    EXPECT_STREQ("Qelvan P58 GDI", printer.pDriverName);
    EXPECT_STREQ("QelvanProc", printer.pPrintProcessor);
    EXPECT_EQ(64u, printer.Attributes);
    EXPECT_STREQ("P58", printer.pPrinterName);
    EXPECT_STREQ("RAW", printer.pDatatype);
    EXPECT_EQ(config.printerName, printer.pPrinterName);  // the Install command appends in place

    // The driver and printer records use separate buffers and stay valid together.
    DRIVER_INFO_3A driver = {};
    config.ReadDriverInfo("P58", Windows2000, driver, 0);
    EXPECT_STREQ("Qelvan P58", driver.pName);
    EXPECT_STREQ("Qelvan P58 GDI", printer.pDriverName);
}

TEST_F(DriverDescriptors, NoFamilyOrNoCategoryReadsNothing) {
    WriteModel("");
    SetupConfig config;
    DriverFileList files = {};
    config.ReadDriverFiles("P58", WindowsXP, files, 1);  // currentCategory not set yet
    EXPECT_STREQ("0", files.driverPath);
    EXPECT_STREQ("", config.currentFile);

    config.currentCategory = Receipt;
    DriverFileList untouched = {};
    config.ReadDriverFiles("P58", WindowsXP, untouched, 2);
    EXPECT_STREQ("", untouched.driverPath);
    EXPECT_STREQ("DRVCONFIG\\setup_receipt.ini", config.currentFile);
}

TEST_F(DriverDescriptors, OverlongValuesAreCutToTheirCapacity) {
    std::string longName(80, 'N');
    std::string longFile(300, 'f');
    medium.Write("setup_receipt.ini",
                 "[P58.XP]\r\nGDIDriverName=" + longName + "\r\nGDIDataFile=" + longFile +
                     "\r\nGDI2KDDKDEV=1\r\nGDIDataFileDLLName=" + longFile +
                     "\r\nGDIDataOemuiDLL=" + longFile + "\r\nGDIDataOemuniDLL=" + longFile +
                     "\r\nGDIDataOemuniini=" + longFile + "\r\n");
    SetupConfig config;
    config.currentCategory = Receipt;
    DRIVER_INFO_3A info = {};
    config.ReadDriverInfo("P58", WindowsXP, info, 1);
    EXPECT_EQ(49u, strlen(info.pName));
    std::vector<std::string> entries = ListEntries(info.pDependentFiles);
    ASSERT_EQ(8u, entries.size());  // the longest list fits whole
    EXPECT_EQ(199u, entries[0].size());
    EXPECT_EQ(199u, entries[7].size());
}

TEST_F(DriverDescriptors, MonitorsAndProcessorVersionComeFromTheCommonFile) {
    medium.Write("setup.ini",
                 "[COMMON-MONITOR.XP]\r\n"
                 "COMMONitorPName=Qelvan COM Port\r\n"
                 "COMMONitorPDLLName=qvcommon.dll\r\n"
                 "COMMONitorPUIDLLName=qvcomui.dll\r\n"
                 "COMMONitorVersion=3\r\n"
                 "USBMONitorPName=Qelvan USB Port\r\n"
                 "USBMONitorPDLLName=qvusbmon.dll\r\n"
                 "USBMONitorVersion=7x\r\n"
                 "[COMMON-MONITOR.98]\r\n"
                 "USBMONitorPName=Qelvan USB Port 98\r\n"
                 "[ProcessorVersion]\r\n"
                 "DriverVersion=5\r\n");
    SetupConfig config;
    MonitorDescriptors monitors = {};
    config.ReadMonitorInfo(WindowsXP, monitors);
    EXPECT_STREQ("Qelvan COM Port", monitors.comMonitor.pName);
    EXPECT_STREQ("qvcommon.dll", monitors.comMonitor.pDLLName);
    EXPECT_STREQ("qvcomui.dll", monitors.comMonitorUiDll);
    EXPECT_EQ(3, monitors.comMonitorVersion);
    EXPECT_STREQ("qvusbmon.dll", monitors.usbMonitor.pDLLName);
    EXPECT_STREQ("0", monitors.usbMonitorUiDll);
    EXPECT_EQ(7, monitors.usbMonitorVersion);
    EXPECT_EQ(nullptr, monitors.comMonitor.pEnvironment);

    config.ReadMonitorInfo(Windows98Me, monitors);
    EXPECT_STREQ("Qelvan USB Port 98", monitors.usbMonitor.pName);
    EXPECT_STREQ("Windows 4.0", monitors.usbMonitor.pEnvironment);
    EXPECT_STREQ("0", monitors.comMonitor.pName);

    config.ReadMonitorInfo(WindowsVista, monitors);  // no section for Vista
    EXPECT_STREQ("0", monitors.usbMonitor.pName);
    EXPECT_EQ(0, monitors.usbMonitorVersion);
    EXPECT_EQ(5, config.GetProcessorVersion());
}
