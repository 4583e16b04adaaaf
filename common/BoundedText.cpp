#include "common/BoundedText.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool CopyText(char* target, size_t capacity, const char* source) {
    if (target == nullptr || capacity == 0) return false;
    if (source == nullptr) source = "";
    size_t length = strlen(source);
    bool fits = length < capacity;
    if (!fits) length = capacity - 1;
    memmove(target, source, length);
    target[length] = '\0';
    return fits;
}

bool AppendText(char* target, size_t capacity, const char* source) {
    if (target == nullptr || capacity == 0) return false;
    size_t used = strnlen(target, capacity);
    if (used == capacity) {  // an unterminated buffer is cut to stay a text
        target[capacity - 1] = '\0';
        return false;
    }
    return CopyText(target + used, capacity - used, source);
}

bool FormatTextList(char* target, size_t capacity, const char* format, va_list args) {
    if (target == nullptr || capacity == 0) return false;
    int written = vsnprintf(target, capacity, format, args);
    target[capacity - 1] = '\0';
    if (written < 0) {
        target[0] = '\0';
        return false;
    }
    return static_cast<size_t>(written) < capacity;
}

bool FormatText(char* target, size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    bool fitted = FormatTextList(target, capacity, format, args);
    va_end(args);
    return fitted;
}
