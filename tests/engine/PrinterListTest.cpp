// The printer list read whole when a printer is added between the spooler's size query and the read:
// the seam only chooses the moment, the printer is added to Wine's spooler for real.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/SeamOverride.h"
#include "engine/SpoolerApi.h"
#include "removal/SystemPrinters.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

const char kLatePrinter[] = "Qelvan Late Printer";
int enumCalls = 0;
TestPrinter* latePrinter = nullptr;

// The first read, right after the size query, comes too late for a printer added meanwhile.
BOOL WINAPI EnumWhileAPrinterIsAdded(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size,
                                     LPDWORD needed, LPDWORD returned) {
    if (++enumCalls == 2) latePrinter = new TestPrinter(kLatePrinter);
    return EnumPrintersA(flags, name, level, buffer, size, needed, returned);
}

bool Lists(const std::vector<SystemPrinter>& printers, const char* name) {
    return std::any_of(printers.begin(), printers.end(),
                       [name](const SystemPrinter& printer) { return printer.name == name; });
}

TEST(ReadSystemPrinters, AListThatGrewMeanwhileIsReadAgainWhole) {
    TestPrinter first("Qelvan Early Printer");
    ASSERT_TRUE(first.Ready());
    std::vector<SystemPrinter> printers;
    DWORD error = 0;
    {
        SeamOverride<decltype(Spooler().enumPrinters)> seam(Spooler().enumPrinters, EnumWhileAPrinterIsAdded);
        enumCalls = 0;
        EXPECT_TRUE(ReadSystemPrinters(printers, error));
    }
    ASSERT_NE(nullptr, latePrinter);
    EXPECT_TRUE(latePrinter->Ready());
    delete latePrinter;
    latePrinter = nullptr;
    EXPECT_EQ(0u, error);
    EXPECT_EQ(3, enumCalls);
    EXPECT_TRUE(Lists(printers, "Qelvan Early Printer"));
    EXPECT_TRUE(Lists(printers, kLatePrinter));
}

}  // namespace
