// The programs' lines, byte for byte, against a sample kept from before their texts moved into the
// string tables: QelvanDeploy through every command (usage, refusals, installation, list, export, a
// profile refused, removal) and MediumCheck on the demo medium and broken copies. The samples are the
// programs' own bytes (code page 936). With QELVAN_RECORD_SAMPLES=1 the test writes them anew instead.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/checker/BrokenMedium.h"
#include "tests/deploy/DeployFixture.h"
#include "tests/support/WizardDriver.h"

namespace {
std::string SamplePath(const char* name) {
    const char* source = getenv("QELVAN_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/tests/texts/samples/" + name;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Compares the transcript with the sample, or records it.
void ExpectSample(const char* name, const std::string& transcript) {
    const char* record = getenv("QELVAN_RECORD_SAMPLES");
    if (record != nullptr && *record == '1') {
        std::ofstream(SamplePath(name), std::ios::binary) << transcript;
        return;
    }
    std::ifstream in(SamplePath(name), std::ios::binary);
    ASSERT_TRUE(in.good()) << SamplePath(name);
    std::stringstream sample;
    sample << in.rdbuf();
    if (sample.str() == transcript) return;
    size_t at = 0;
    while (at < transcript.size() && at < sample.str().size() && transcript[at] == sample.str()[at]) ++at;
    size_t from = sample.str().rfind('\n', at);
    from = from == std::string::npos ? 0 : from + 1;
    FAIL() << name << " differs from byte " << at << "\nsample: " << sample.str().substr(from, 300)
           << "\nnow:    " << transcript.substr(from, 300);
}

class OutputSample : public DeployTest {
protected:
    // Runs a command and writes it, its lines and its exit code into the transcript, with the medium
    // copy's and the scratch folder's paths replaced by names that stay the same from run to run.
    void Run(const std::string& arguments) {
        DWORD exitCode = 0;
        std::string output = Deploy(arguments, exitCode);
        std::string entry = "> " + arguments + "\r\n" + output + "= " + std::to_string(exitCode) + "\r\n";
        transcript += Replaced(Replaced(entry, scratch.Path(), "<SCRATCH>"), medium.Path(), "<MEDIUM>");
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(scratch / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(scratch / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir scratch{"qelvan-sample"};
    std::string transcript;
};

TEST_F(OutputSample, QelvanDeploySaysWhatItSaidBefore) {
    ASSERT_TRUE(medium.SetUsbPrinters({{0, 0}}));
    for (const char* arguments :
         {"", "/?", "models", "frobnicate", "install", "install /model:QR-99",
          "install /model:QT-200 /port:USB_QT-200_1", "install /model:QR-58 /colour:red",
          "install /model:QL-60 /port:TVCOM1: /parity:Maybe", "remove", "remove /all /printer:QT-200(P)",
          "list /medium:C:\\no-such-medium", "testpage /printer:NoSuchPrinter",
          "install /model:QR-58 /advanced /port:USB_QR-58_2"})
        Run(arguments);
    Run("install /model:QT-200 /default");
    Run("install /model:QL-60 /port:TVCOM2: /baud:19200 /databits:7 /parity:Even /stopbits:1.5");
    Run("install /model:QR-58 /port:USB_QR-58_1 /renumber");
    Run("list");
    Run("export /file:\"" + (scratch / "till.ini") + "\"");
    transcript += Read("till.ini");
    Write("twice.ini",
          "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\n[printer1]\r\nModel=QT-200\r\n");
    Run("apply /file:\"" + (scratch / "twice.ini") + "\"");
    Write("other.ini", "[QelvanProfile]\r\nPrinters=1\r\n[Printer1]\r\nModel=QT-200\r\nPort=LPT1:\r\n");
    Run("apply /exact /file:\"" + (scratch / "other.ini") + "\"");
    Run("remove /printer:QL-60(S) /driver /components");
    Run("remove /all /driver /components");
    Run("list");
    ExpectSample("QelvanDeploy.txt", transcript);
}

TEST(OutputSampleChecker, MediumCheckSaysWhatItSaidBefore) {
    std::string transcript = RunCheckerIn(WizardDriver::BuiltMedium()).output;
    BrokenMedium broken;
    ASSERT_TRUE(broken.Copied());
    broken.SetKey("DRVCONFIG\\setup.ini", "DEVICENAME", "DEVICENAME3", "KRP-C3-receiptPrinter");
    broken.SetKey("DRVCONFIG\\setup.ini", "DEVICENAME", "DEVICENAME5", "qr-58-TicketPrinter");
    broken.SetKey("DRVCONFIG\\setup_receipt.ini", "QR-58.PORT", "BaudRate", "12345");
    broken.RemoveSection("DRVCONFIG\\setup_Lable.ini", "QL-60.PORT");
    broken.RemoveFile("win2003\\QVSTD.HLP");
    CheckerRun run = broken.Check();
    transcript += run.output + "= " + std::to_string(run.exitCode) + "\r\n";
    ExpectSample("MediumCheck.txt", transcript);
}
}  // namespace
