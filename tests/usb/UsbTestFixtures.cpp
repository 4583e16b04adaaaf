#include "tests/usb/UsbTestFixtures.h"

#include <windows.h>

#include <sstream>

#include "tests/support/TestSupport.h"

UsbScenario::UsbScenario(const std::string& text)
    : scenarioPath_(ExeDir() + "TvUsbInt.ini"), logPath_(ExeDir() + "TvUsbInt.log") {
    DeleteFileA(logPath_.c_str());
    WriteTextFile(scenarioPath_, text);
}

UsbScenario::~UsbScenario() {
    DeleteFileA(logPath_.c_str());
    DeleteFileA(scenarioPath_.c_str());
}

std::vector<std::string> UsbScenario::Calls() const {
    std::vector<std::string> calls;
    std::istringstream log(ReadTextFile(logPath_));
    std::string line;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        calls.push_back(line);
    }
    return calls;
}

LibraryVariant::LibraryVariant(const std::string& variant)
    : libraryPath_(ExeDir() + "TvUsbInt.dll"), savedPath_(ExeDir() + "TvUsbInt.dll.complete") {
    if (!MoveFileExA(libraryPath_.c_str(), savedPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    ready_ = variant.empty() || CopyFileTo(ExeDir() + variant, libraryPath_);
}

LibraryVariant::~LibraryVariant() {
    DeleteFileA(libraryPath_.c_str());
    MoveFileExA(savedPath_.c_str(), libraryPath_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

static std::string InstalledDriverPath() {
    return WindowsDirectoryPath() + "\\system32\\drivers\\bulkusb.sys";
}

UsbDriverFiles::UsbDriverFiles(const std::string& mediumFixture, const std::string& installedFixture)
    : mediumPath_(ExeDir() + "USBDRV\\bulkusb.sys"), installedPath_(InstalledDriverPath()) {
    Remove();
    if (!mediumFixture.empty()) ready_ = CopyFileTo(ExeDir() + mediumFixture, mediumPath_);
    if (!installedFixture.empty()) ready_ = CopyFileTo(ExeDir() + installedFixture, installedPath_) && ready_;
}

UsbDriverFiles::~UsbDriverFiles() {
    Remove();
}

void UsbDriverFiles::Remove() {
    DeleteFileA(mediumPath_.c_str());
    RemoveDirectoryA((ExeDir() + "USBDRV").c_str());
    DeleteFileA(installedPath_.c_str());
}
