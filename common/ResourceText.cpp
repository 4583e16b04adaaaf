#include "common/ResourceText.h"

#include "common/BoundedText.h"

#include <cstdio>
#include <vector>

namespace {
// The code page of every text the product writes: the texts are Simplified Chinese, and the consoles,
// logs and boxes of the target systems read them as GBK. A system without code page 936 gets its own.
constexpr UINT kTextCodePage = 936;

// The entry as windres stores it: string tables come in blocks of 16 counted UTF-16 texts, block
// (id / 16) + 1 holding the text id % 16. Read directly, as LoadStringW is only a stub on Windows 98/Me.
std::wstring WideEntry(UINT id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA((id >> 4) + 1), MAKEINTRESOURCEA(6));  // RT_STRING
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const WCHAR* at = loaded != nullptr ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (at == nullptr) return std::wstring();
    const WCHAR* end = at + SizeofResource(module, found) / sizeof(WCHAR);
    for (UINT index = id & 15; index > 0 && at < end; --index) at += 1 + *at;
    if (at >= end || at + 1 + *at > end) return std::wstring();
    return std::wstring(at + 1, at + 1 + *at);
}

std::string Narrowed(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    for (UINT codePage : {kTextCodePage, static_cast<UINT>(CP_ACP)}) {
        int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
        if (length <= 0) continue;
        std::string text(length, '\0');
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length,
                            nullptr, nullptr);
        return text;
    }
    return std::string();
}
}  // namespace

std::string ResourceText(UINT id) {
    return Narrowed(WideEntry(id));
}

std::string FormatResourceList(UINT id, va_list arguments) {
    std::string format = ResourceText(id);
    va_list measure;
    va_copy(measure, arguments);
    int length = vsnprintf(nullptr, 0, format.c_str(), measure);
    va_end(measure);
    if (length <= 0) return std::string();
    std::vector<char> text(length + 1);
    vsnprintf(text.data(), text.size(), format.c_str(), arguments);
    return std::string(text.data(), length);
}

std::string FormatResource(UINT id, ...) {
    va_list arguments;
    va_start(arguments, id);
    std::string text = FormatResourceList(id, arguments);
    va_end(arguments);
    return text;
}

void LoadResourceText(UINT id, char* buffer, size_t capacity) {
    if (capacity == 0) return;
    CopyText(buffer, capacity, ResourceText(id).c_str());
}

bool FormatResourceInto(char* buffer, size_t capacity, UINT id, ...) {
    va_list arguments;
    va_start(arguments, id);
    bool whole = FormatTextList(buffer, capacity, ResourceText(id).c_str(), arguments);
    va_end(arguments);
    return whole;
}
