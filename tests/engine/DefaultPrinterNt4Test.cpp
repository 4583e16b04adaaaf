#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/DefaultPrinter.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

// A printer record without a driver name, which the profile entry cannot be built from.
BOOL WINAPI RecordWithoutDriver(HANDLE, DWORD, LPBYTE data, DWORD size, LPDWORD needed) {
    *needed = sizeof(PRINTER_INFO_2A);
    if (size < *needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memset(data, 0, size);
    return TRUE;
}

TEST(DefaultPrinterNt4, WritesTheProfileDevice) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), version.dwPlatformId);
    ASSERT_EQ(4u, version.dwMajorVersion);
    std::string saved = DefaultDevice();
    TestPrinter printer("Qelvan Nt4 Printer");
    ASSERT_TRUE(printer.Ready());
    EXPECT_TRUE(MakeDefaultPrinter("Qelvan Nt4 Printer"));
    EXPECT_EQ("Qelvan Nt4 Printer,Qelvan Nt4 Printer Driver,LPT1:", DefaultDevice());
    {
        SeamOverride<decltype(Spooler().getPrinter)> seam(Spooler().getPrinter, RecordWithoutDriver);
        WriteProfileStringA("windows", "device", "unchanged,x,y");
        EXPECT_FALSE(MakeDefaultPrinter("Qelvan Nt4 Printer"));
        EXPECT_EQ("unchanged,x,y", DefaultDevice());
    }
    EXPECT_FALSE(MakeDefaultPrinter("Qelvan No Such Printer"));
    WriteProfileStringA("windows", "device", saved.empty() ? nullptr : saved.c_str());
}

}  // namespace
