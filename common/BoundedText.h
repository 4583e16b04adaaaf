#pragma once
// Fixed-size texts are filled only through these helpers: they never write past the buffer and always
// leave it terminated. A text that does not fit is cut at the buffer's capacity.

#include <cstdarg>
#include <cstddef>

// Copies source (null counts as empty) into target of the given capacity in bytes. Returns true when
// the whole text fitted.
bool CopyText(char* target, size_t capacity, const char* source);

// Appends source to the text already in target. Returns true when the whole text fitted.
bool AppendText(char* target, size_t capacity, const char* source);

// printf-style formatting into target. Returns true when the whole result fitted.
bool FormatText(char* target, size_t capacity, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The same with the arguments as a va_list, for functions that take a format of their own.
bool FormatTextList(char* target, size_t capacity, const char* format, va_list args);

template <size_t N>
bool CopyText(char (&target)[N], const char* source) {
    return CopyText(target, N, source);
}
template <size_t N>
bool AppendText(char (&target)[N], const char* source) {
    return AppendText(target, N, source);
}
