// Built once per Windows version the tests run under (see CMakeLists.txt); the expectation follows the
// version the executable sees.

#include "pages/SystemPage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/SharedTypes.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/MessageBoxWatcher.h"

namespace {
const int kSystemIds[] = {IDC_WIN98ME, IDC_WINNT4, IDC_WIN2000, IDC_WINXP, IDC_WIN2003, IDC_VISTA};

struct Expected {
    int targetSystem;
    int checked;  // the checked button's id, 0 for none
};

// Wine's default version without a setting is Windows 7 (NT 6.1), which is not recognised.
Expected ExpectedFor(const std::string& version) {
    if (version == "win98") return {Windows98Me, IDC_WIN98ME};
    if (version == "nt40") return {WindowsNT4, IDC_WINNT4};
    if (version == "win2k") return {Windows2000, IDC_WIN2000};
    if (version == "winxp") return {WindowsXP, IDC_WINXP};
    if (version == "win2003") return {WindowsServer2003, IDC_WIN2003};
    if (version == "vista") return {WindowsVista, IDC_VISTA};
    return {Windows98Me, 0};
}

std::string SeenVersion() {
    const char* version = getenv("QELVAN_WINVER");
    return version ? version : "";
}
}  // namespace

TEST(SystemPage, ShowsTheDetectedSystemOnly) {
    Expected expected = ExpectedFor(SeenVersion());
    MessageBoxWatcher watcher;
    PageHost host;
    SystemPage page(IDD_SYSTEM_PAGE);
    ASSERT_TRUE(host.Open(page));
    EXPECT_EQ(expected.targetSystem, page.targetSystem) << SeenVersion();
    // The button of the target stays enabled even when not checked (an unrecognised system).
    int enabledId = kSystemIds[expected.targetSystem];
    for (int id : kSystemIds) {
        EXPECT_EQ(id == expected.checked, IsChecked(page, id)) << "button " << id;
        EXPECT_EQ(id == enabledId, IsEnabled(page, id)) << "button " << id;
    }
    // A recognised or merely unknown version is no unsupported platform: no message.
    EXPECT_TRUE(watcher.Texts().empty());
    std::vector<std::string> captions;
    for (int id : kSystemIds) captions.push_back(ControlText(page, id));
    EXPECT_EQ((std::vector<std::string>{"Windows 98/Me", "Windows NT", "Windows 2000", "Windows XP",
                                        "Windows Server 2003 ", "Windows Vista"}),
              captions);
}
