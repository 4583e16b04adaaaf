#include "checker/Findings.h"

#include "common/ConsoleText.h"
#include "common/BoundedText.h"

void Findings::Error(const char* file, const char* section, const char* key, const char* text) {
    ++errors_;
    Add("错误", file, section, key, text);
}

void Findings::Warning(const char* file, const char* section, const char* key, const char* text) {
    ++warnings_;
    Add("警告", file, section, key, text);
}

// "错误：DRVCONFIG\setup_receipt.ini [QR-58.XP] STDDriverPath：text"
void Findings::Add(const char* label, const char* file, const char* section, const char* key,
                   const char* text) {
    char line[1024];
    FormatText(line, sizeof line, "%s：%s", label, file);
    if (section != nullptr && section[0] != '\0') {
        AppendText(line, " [");
        AppendText(line, section);
        AppendText(line, "]");
    }
    if (key != nullptr && key[0] != '\0') {
        AppendText(line, " ");
        AppendText(line, key);
    }
    AppendText(line, "：");
    AppendText(line, text);
    WriteLine(out_, line);
}

void Findings::PrintSummary() {
    char line[100];
    FormatText(line, sizeof line, "检查完毕：%d 个错误，%d 个警告。", errors_, warnings_);
    WriteLine(out_, line);
}
