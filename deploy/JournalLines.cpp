#include "deploy/JournalLines.h"

#include "common/HexText.h"

std::string JournalLineOf(const std::string& tag, const std::vector<std::string>& fields) {
    std::string line = tag;
    // An empty field is written "-", so that the count of fields survives the split.
    for (const std::string& field : fields) line += " " + (field.empty() ? std::string("-") : HexText(field));
    return line;
}

bool ReadJournalLine(const std::string& text, JournalLine& line) {
    line = JournalLine();
    size_t at = text.find(' ');
    line.tag = text.substr(0, at);
    if (line.tag.empty()) return false;
    while (at != std::string::npos) {
        size_t next = text.find(' ', at + 1);
        std::string hex = text.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        std::string bytes;
        if (hex != "-" && !TextOfHex(hex, bytes)) return false;
        if (hex == "-") bytes.clear();
        if (hex.empty()) return false;
        line.fields.push_back(bytes);
        at = next;
    }
    return true;
}
