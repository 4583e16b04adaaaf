#pragma once
// What the USB tests set up beside the test executable, where the wizard's code looks for the USB
// interface library and the medium's kernel driver: the stand-in library's scenario and call log, a
// variant of the library in place of the complete one, and the two bulkusb.sys files compared.

#include <string>
#include <vector>

// Writes the stand-in library's scenario file (TvUsbInt.ini) and clears its call log; removes both
// when the scope ends.
class UsbScenario {
public:
    explicit UsbScenario(const std::string& text);
    ~UsbScenario();
    UsbScenario(const UsbScenario&) = delete;
    UsbScenario& operator=(const UsbScenario&) = delete;

    // The lines of the call log, oldest first; empty when the library was never loaded.
    std::vector<std::string> Calls() const;

private:
    std::string scenarioPath_;
    std::string logPath_;
};

// Puts the named variant (e.g. "TvUsbInt_noGetDescriptor.dll") in place of TvUsbInt.dll, or no
// library at all for an empty name, and puts the complete library back when the scope ends.
class LibraryVariant {
public:
    explicit LibraryVariant(const std::string& variant);
    ~LibraryVariant();
    LibraryVariant(const LibraryVariant&) = delete;
    LibraryVariant& operator=(const LibraryVariant&) = delete;

    bool Ready() const { return ready_; }

private:
    std::string libraryPath_;
    std::string savedPath_;
    bool ready_ = false;
};

// Copies fixture driver files (names beside the tests, e.g. "bulkusb_1_0_0_5.sys"; empty for none) to
// the medium's USBDRV\bulkusb.sys and to the system's drivers\bulkusb.sys; removes both when the
// scope ends.
class UsbDriverFiles {
public:
    UsbDriverFiles(const std::string& mediumFixture, const std::string& installedFixture);
    ~UsbDriverFiles();
    UsbDriverFiles(const UsbDriverFiles&) = delete;
    UsbDriverFiles& operator=(const UsbDriverFiles&) = delete;

    bool Ready() const { return ready_; }

private:
    void Remove();
    std::string mediumPath_;
    std::string installedPath_;
    bool ready_ = true;
};
