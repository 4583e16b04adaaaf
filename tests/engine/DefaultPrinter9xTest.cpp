#include <gtest/gtest.h>

#include "engine/DefaultPrinter.h"
#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

BOOL WINAPI RefusedSetPrinter(HANDLE, DWORD, LPBYTE, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(DefaultPrinter9x, MarksThePrinterAsDefault) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS), version.dwPlatformId);
    TestPrinter printer("Qelvan 9x Printer");
    ASSERT_TRUE(printer.Ready());
    {
        SeamOverride<decltype(Spooler().setPrinter)> seam(Spooler().setPrinter, RefusedSetPrinter);
        EXPECT_FALSE(MakeDefaultPrinter("Qelvan 9x Printer"));
    }
    EXPECT_EQ(0u, ReadPrinter("Qelvan 9x Printer").attributes & PRINTER_ATTRIBUTE_DEFAULT);
    EXPECT_TRUE(MakeDefaultPrinter("Qelvan 9x Printer"));
    EXPECT_NE(0u, ReadPrinter("Qelvan 9x Printer").attributes & PRINTER_ATTRIBUTE_DEFAULT);
    EXPECT_FALSE(MakeDefaultPrinter("Qelvan No Such Printer"));
}

}  // namespace
