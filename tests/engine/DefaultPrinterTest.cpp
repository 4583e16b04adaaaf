#include <gtest/gtest.h>

#include <string>

#include "engine/DefaultPrinter.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

// Keeps the user's default printer entry as it was before the test.
class DefaultPrinterTest : public ::testing::Test {
protected:
    void TearDown() override {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        if (saved_.empty()) {
            RegDeleteValueA(key, "device");
        } else {
            RegSetValueExA(key, "device", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_.c_str()),
                           static_cast<DWORD>(saved_.size() + 1));
        }
        RegCloseKey(key);
    }
    std::string saved_ = DefaultDevice();
};

TEST_F(DefaultPrinterTest, SetsTheDefaultOnTheNt5Path) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_GE(version.dwMajorVersion, 5u);
    TestPrinter printer("Qelvan Default Printer");
    ASSERT_TRUE(printer.Ready());
    EXPECT_TRUE(MakeDefaultPrinter("Qelvan Default Printer"));
    EXPECT_EQ(0u, DefaultDevice().find("Qelvan Default Printer,"));
    char name[300] = {};
    DWORD size = sizeof name;
    EXPECT_TRUE(GetDefaultPrinterA(name, &size));
    EXPECT_STREQ("Qelvan Default Printer", name);

    EXPECT_FALSE(MakeDefaultPrinter("Qelvan No Such Printer"));
    EXPECT_FALSE(MakeDefaultPrinter(nullptr));
    EXPECT_EQ(0u, DefaultDevice().find("Qelvan Default Printer,"));
}

}  // namespace
