// The wizard's application manifest asks for administrator rights, and the wizard with it still
// starts on every target system: each system sees its frame, and Cancel ends it.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/WizardDriver.h"

namespace {
// The manifest resource of the built exe (resource 1 of type RT_MANIFEST), or empty.
std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::string();
    std::string text;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes != nullptr) text.assign(bytes, SizeofResource(module, resource));
    FreeLibrary(module);
    return text;
}

// Ends the wizard with its Cancel button (control 2).
bool Cancel(WizardDriver& driver, HWND wizard) {
    HWND cancel = WizardDriver::Control(wizard, IDCANCEL);
    if (cancel == nullptr) return false;
    driver.Click(cancel);
    return driver.WaitForExit(10000);
}
}  // namespace

TEST(Manifest, RequiresAdministratorWithoutUiAccess) {
    std::string manifest = ManifestOf(WizardDriver::BuiltExe());
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"requireAdministrator\" "
                                               "uiAccess=\"false\"/>"))
        << manifest;
    EXPECT_NE(std::string::npos, manifest.find("urn:schemas-microsoft-com:asm.v3")) << manifest;
}

TEST(Manifest, WizardStartsOnEveryTargetSystem) {
    const char* const versions[] = {"win98", "nt40", "win2k", "winxp", "win2003", "vista"};
    for (const char* version : versions) {
        SCOPED_TRACE(version);
        ASSERT_TRUE(WizardDriver::SetWindowsVersion("QelvanSetup.exe", version));
        WizardDriver driver;
        ASSERT_TRUE(driver.Launch(WizardDriver::BuiltExe(), WizardDriver::BuiltMedium()));
        HWND wizard = driver.WaitForWindow("Qelvan");
        ASSERT_NE(nullptr, wizard);
        EXPECT_TRUE(WizardDriver::IsVisible(wizard));
        EXPECT_TRUE(Cancel(driver, wizard));
    }
    WizardDriver::SetWindowsVersion("QelvanSetup.exe", "");
}
