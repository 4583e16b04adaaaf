// A newer medium reaches the driver of a kept printer: a file of the registered driver that is older
// than the medium's (by version resource where both have one, else by content) is replaced by adding
// the driver again, the printer keeps it, and list shows the driver against the medium.
#include <string>

#include "tests/deploy/DeployFixture.h"
#include "tests/support/SpoolerState.h"

namespace {
const char kDriverLine[] = "驱动程序 Qelvan QR-58 GDI：";

class DriverUpdateTest : public DeployTest {
protected:
    // The data file as the spooler holds it, and as the medium holds it.
    std::string Installed() const { return SpoolerDriverDirectory() + "\\3\\QR58.GPD"; }
    std::string OnMedium() const { return medium / "winnt\\QR58.GPD"; }
    // Puts one of the stand-in files with a version resource on the medium as the data file.
    bool MediumFileOfVersion(const char* version) const {
        return CopyFileA((TestDir() + "\\bulkusb_" + version + ".sys").c_str(), OnMedium().c_str(), FALSE) !=
               0;
    }
};

TEST_F(DriverUpdateTest, ANewerMediumReachesTheDriverOfAKeptPrinter) {
    Expect(0, "install /model:QR-58");
    EXPECT_TRUE(Says(Expect(0, "list"), std::string(kDriverLine) + "与安装介质上的相同（最新）"));

    // The medium's data file changed (no version resource): the driver is added again.
    ASSERT_TRUE(WriteTextFile(OnMedium(), ReadTextFile(OnMedium()) + "*% a newer medium\r\n"));
    std::string list = Expect(0, "list");
    EXPECT_TRUE(Says(list, std::string(kDriverLine) + "文件 QR58.GPD 与安装介质上的不同（过旧）")) << list;
    std::string updated = Expect(0, "install /model:QR-58");
    EXPECT_TRUE(Says(updated, "已更新：驱动程序 Qelvan QR-58 GDI")) << updated;
    EXPECT_EQ(ReadTextFile(OnMedium()), ReadTextFile(Installed()));
    EXPECT_EQ("Qelvan QR-58 GDI", ReadPrinter("QR-58(U) 1").driver);
    // A second run changes nothing.
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "second run";

    // Files with version resources are compared by version: an older medium leaves a newer driver.
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_5"));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "content to version";
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_3"));
    list = Expect(0, "list");
    EXPECT_TRUE(
        Says(list, std::string(kDriverLine) + "文件 QR58.GPD 已安装版本 1.0.0.5，介质版本 1.0.0.3（较新）"))
        << list;
    EXPECT_FALSE(Says(Expect(0, "install /model:QR-58"), "已更新")) << "older medium";
    ASSERT_TRUE(MediumFileOfVersion("1_0_0_12"));
    EXPECT_TRUE(Says(Expect(0, "install /model:QR-58"), "已更新：驱动程序")) << "newer medium";
    EXPECT_TRUE(Says(Expect(0, "list"), std::string(kDriverLine) + "与安装介质上的相同（最新）"));
}
}  // namespace
