#include "common/FileVersion.h"

#include <windows.h>

#include <vector>

#include "common/BoundedText.h"

FileVersion ReadFileVersion(const std::string& path) {
    FileVersion version;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return version;
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr)
        return version;
    version.present = true;
    version.number = (static_cast<unsigned long long>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
    char text[64];
    FormatText(text, sizeof text, "%lu.%lu.%lu.%lu",
               static_cast<unsigned long>(HIWORD(info->dwFileVersionMS)),
               static_cast<unsigned long>(LOWORD(info->dwFileVersionMS)),
               static_cast<unsigned long>(HIWORD(info->dwFileVersionLS)),
               static_cast<unsigned long>(LOWORD(info->dwFileVersionLS)));
    version.text = text;
    return version;
}
