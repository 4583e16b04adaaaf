#include "tests/e2e/E2eSupport.h"

#include "resources/ResourceIds.h"

const char kOwnSuccessText[] = "打印机驱动安装成功！";

MediumCopy::MediumCopy() {
    WizardDriver::CopyTree(WizardDriver::BuiltMedium(), dir_.Path());
    DeleteFileA((dir_ / "TvUsbInt.log").c_str());
}

bool MediumCopy::SetUsbPrinters(const std::vector<std::pair<int, int>>& printers) {
    std::string scenario;
    for (const auto& printer : printers) {
        scenario += "[Printer" + std::to_string(printer.first) + "]\r\n";
        scenario += "bcdDevice=" + std::to_string(printer.second) + "\r\n";
    }
    return WriteTextFile(dir_ / "TvUsbInt.ini", scenario);
}

std::string MediumCopy::UsbLog() const {
    return ReadTextFile(dir_ / "TvUsbInt.log");
}

bool MediumCopy::ReplaceInFile(const std::string& relative, const std::string& from, const std::string& to) {
    std::string text = ReadTextFile(dir_ / relative);
    bool replaced = false;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        replaced = true;
    }
    return replaced && WriteTextFile(dir_ / relative, text);
}

::testing::AssertionResult EndToEndTest::WalkToPortPage(const char* windowsVersion,
                                                        const PrinterChoice& choice) {
    std::string error = walk.Start(medium.Exe(), windowsVersion);
    if (error.empty()) error = walk.WalkToPortPage(choice);
    if (error.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "on " << windowsVersion << ": " << error;
}

std::vector<ShownMessage> EndToEndTest::InstallAndFinish(bool renumber) {
    std::string question = ResourceText(IDS_RENUMBER_QUESTION);
    walk.PressInstall();
    std::vector<ShownMessage> shown;
    auto answer = [&](const ShownMessage& message) {
        return renumber && message.text == question ? IDYES : IDNO;
    };
    EXPECT_TRUE(walk.AnswerUntilExit(answer, shown, 120000)) << "the wizard did not end after Install";
    return shown;
}

std::vector<std::string> EndToEndTest::Texts(const std::vector<ShownMessage>& shown) {
    std::vector<std::string> texts;
    for (const ShownMessage& message : shown) texts.push_back(message.text);
    return texts;
}

::testing::AssertionResult EndToEndTest::DriverFilesInstalled(const char* environment,
                                                              const char* mediumFolder,
                                                              const std::vector<std::string>& names) const {
    std::string directory = SpoolerDriverDirectory(environment);
    for (const std::string& name : names) {
        std::string installed = directory + "\\" + name;
        if (!FileExists(installed)) return ::testing::AssertionFailure() << installed << " is missing";
        std::string original = ReadTextFile(medium / (std::string(mediumFolder) + "\\" + name));
        if (original.empty() || ReadTextFile(installed) != original)
            return ::testing::AssertionFailure() << installed << " is not the medium's " << name;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EndToEndTest::HasVersion(const std::string& key, DWORD version) {
    DWORD found = 0;
    if (!ReadDword(HKEY_LOCAL_MACHINE, key, "DriverVersion", found))
        return ::testing::AssertionFailure() << key << " has no DriverVersion";
    if (found != version)
        return ::testing::AssertionFailure() << key << " DriverVersion is " << found << ", not " << version;
    return ::testing::AssertionSuccess();
}
