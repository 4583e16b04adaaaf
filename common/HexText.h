#pragma once
// Bytes written as hexadecimal digits and read back: text that must pass unchanged through a line, a
// property or a registry value (line ends, GBK, binary data) travels as digits, which no code page
// conversion touches.

#include <string>

// "41" for "A"; two upper-case digits a byte.
std::string HexText(const std::string& bytes);
// False for an odd count or a character that is no hexadecimal digit (either case).
bool TextOfHex(const std::string& hex, std::string& bytes);
