#include "tools/wizard_walker/WalkerOutput.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "tests/e2e/PrefixState.h"

namespace {
std::string ToUtf8(const std::string& text) {
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return text;
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return text;
    std::vector<char> utf8(static_cast<size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, utf8.data(), length, nullptr, nullptr);
    return utf8.data();
}
}  // namespace

void PrintLine(const std::string& text) {
    printf("%s\n", ToUtf8(text).c_str());
    fflush(stdout);
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? std::string(" / ") : std::string(1, c);
    }
    return line;
}

void PauseForShot(const char* name) {
    PrintLine(std::string("shot ") + name);
    char line[64];
    if (fgets(line, sizeof line, stdin) == nullptr) Sleep(500);
}

void PrintInstalledPrinters() {
    std::vector<PrinterRecord> printers = MakerPrinters();
    if (printers.empty()) PrintLine("installed: no printer");
    for (const PrinterRecord& printer : printers) {
        PrintLine("installed printer: " + printer.name);
        PrintLine("  driver:          " + printer.driver);
        PrintLine("  port:            " + printer.port);
        PrintLine("  print processor: " + printer.processor);
    }
    PrintLine("default printer:   " + DefaultPrinterDevice());
}
