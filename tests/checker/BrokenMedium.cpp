#include "tests/checker/BrokenMedium.h"

#include "tests/support/WizardDriver.h"

namespace {
std::string CheckerExe() {
    return WizardDriver::BuiltMedium() + "\\MediumCheck.exe";
}

CheckerRun Run(const std::string& commandLine, const std::string& directory) {
    CheckerRun run = {std::string(), STILL_ACTIVE};
    run.output = RunAndCapture(commandLine, run.exitCode, directory);
    return run;
}
}  // namespace

bool CheckerRun::HasLine(const std::string& line) const {
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::string found = output.substr(start, end - start);
        if (!found.empty() && found.back() == '\r') found.pop_back();
        if (found == line) return true;
        start = end + 1;
    }
    return false;
}

BrokenMedium::BrokenMedium() : dir_("qelvan-check") {
    copied_ = WizardDriver::CopyTree(WizardDriver::BuiltMedium(), dir_.Path());
}

void BrokenMedium::SetKey(const char* file, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, (dir_ / file).c_str());
}

void BrokenMedium::RemoveSection(const char* file, const char* section) {
    WritePrivateProfileStringA(section, nullptr, nullptr, (dir_ / file).c_str());
}

void BrokenMedium::RemoveFile(const char* file) {
    DeleteFileA((dir_ / file).c_str());
}

CheckerRun BrokenMedium::Check() const {
    return Run("\"" + CheckerExe() + "\" \"" + dir_.Path() + "\"", "");
}

CheckerRun RunCheckerIn(const std::string& directory) {
    return Run("\"" + CheckerExe() + "\"", directory);
}
