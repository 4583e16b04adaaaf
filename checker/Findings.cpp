#include "checker/Findings.h"

#include <string>

#include "checker/CheckerTextIds.h"
#include "common/ConsoleText.h"
#include "common/ResourceText.h"

void Findings::Error(const char* file, const char* section, const char* key, const char* text) {
    ++errors_;
    Add(IDS_CHECKER_ERROR_LINE, file, section, key, text);
}

void Findings::Error(const char* file, const char* section, const char* key, UINT textId) {
    Error(file, section, key, ResourceText(textId).c_str());
}

void Findings::Warning(const char* file, const char* section, const char* key, const char* text) {
    ++warnings_;
    Add(IDS_CHECKER_WARNING_LINE, file, section, key, text);
}

void Findings::Warning(const char* file, const char* section, const char* key, UINT textId) {
    Warning(file, section, key, ResourceText(textId).c_str());
}

// "错误：DRVCONFIG\setup_receipt.ini [QR-58.XP] STDDriverPath：text"
void Findings::Add(UINT lineId, const char* file, const char* section, const char* key, const char* text) {
    // The place in the file is layout only: the section in brackets, then the key.
    std::string place;
    if (section != nullptr && section[0] != '\0') place += " [" + std::string(section) + "]";
    if (key != nullptr && key[0] != '\0') place += " " + std::string(key);
    WriteLine(out_, FormatResource(lineId, file, place.c_str(), text).c_str());
}

void Findings::PrintSummary() {
    WriteLine(out_, FormatResource(IDS_CHECKER_SUMMARY, errors_, warnings_).c_str());
}
