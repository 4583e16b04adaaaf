#pragma once
// A file read or written whole through the platform's own calls (no stream library: the shipped
// programs stay small), and two files compared byte for byte.

#include <string>

// False when the file cannot be opened or read, or is larger than limit bytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long limit);
// Creates or truncates the file and writes bytes; false when any of it fails.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Creates the file, which must not exist (nothing put there beforehand is written through), and writes
// bytes; false when any of it fails.
bool WriteNewFile(const std::string& path, const std::string& bytes);
// The file's size in bytes; 0 for a file that is not there or cannot be asked.
unsigned long long FileSizeOf(const std::string& path);
// True when both files can be read and hold the same bytes.
bool SameFileBytes(const std::string& one, const std::string& other);
