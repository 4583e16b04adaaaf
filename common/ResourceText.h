#pragma once
// The texts of the program's string tables, in code page 936 whatever the system's own code page: every
// text a person reads is a table entry, and the code names it by its identifier. A format entry is a
// printf format whose conversions the entry's identifier lists in its header comment, in the order the
// text takes its arguments.

#include <windows.h>

#include <cstdarg>
#include <string>

// The whole text of the entry; empty when the id is unknown.
std::string ResourceText(UINT id);

// The entry's format filled with the arguments, however long.
std::string FormatResource(UINT id, ...);
std::string FormatResourceList(UINT id, va_list arguments);

// The text into a fixed buffer (always terminated; empty when the id is unknown).
void LoadResourceText(UINT id, char* buffer, size_t capacity);
template <size_t N>
void LoadResourceText(UINT id, char (&buffer)[N]) {
    LoadResourceText(id, buffer, N);
}

// The entry's format filled into a fixed buffer, as FormatText fills one: false when it was cut.
bool FormatResourceInto(char* buffer, size_t capacity, UINT id, ...);
template <size_t N, typename... Arguments>
bool FormatResourceText(char (&buffer)[N], UINT id, Arguments... arguments) {
    return FormatResourceInto(buffer, N, id, arguments...);
}
