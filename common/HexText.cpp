#include "common/HexText.h"

namespace {
int DigitValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}
}  // namespace

std::string HexText(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return hex;
}

bool TextOfHex(const std::string& hex, std::string& bytes) {
    bytes.clear();
    if (hex.size() % 2 != 0) return false;
    for (size_t at = 0; at < hex.size(); at += 2) {
        int high = DigitValue(hex[at]);
        int low = DigitValue(hex[at + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}
