#include "msi/InstallerLog.h"

#include <msiquery.h>

#include <cstdarg>
#include <string>

#include "common/BoundedText.h"

namespace {
HMODULE textModule = nullptr;

// The record's text is a format, where "[Printer1]" would name a property: brackets are written as the
// format's escapes, "[\\[]" and "[\\]]".
std::string Escaped(const char* text) {
    std::string escaped;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at == '[' || *at == ']')
            escaped += std::string("[\\") + *at + "]";
        else
            escaped += *at;
    }
    return escaped;
}

void Send(MSIHANDLE install, INSTALLMESSAGE kind, const char* text) {
    MSIHANDLE record = MsiCreateRecord(1);
    if (record == 0) return;
    MsiRecordSetStringA(record, 0, Escaped(text).c_str());
    MsiProcessMessage(install, kind, record);
    MsiCloseHandle(record);
}
}  // namespace

void SetTextModule(HMODULE module) {
    textModule = module;
}

void LogLine(MSIHANDLE install, const char* line) {
    Send(install, INSTALLMESSAGE_INFO, line);
}

void ShowError(MSIHANDLE install, const char* text) {
    Send(install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), text);
}

std::string PackageText(UINT id, ...) {
    // LoadStringA converts the table's UTF-16 to the system's code page, the one the Installer's ANSI
    // functions take the text in.
    char format[512] = {};
    if (LoadStringA(textModule, id, format, sizeof format) == 0) return std::string();
    char text[1024] = {};
    va_list arguments;
    va_start(arguments, id);
    FormatTextList(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}
