#include "engine/SpoolerFolders.h"

#include <windows.h>
#include <winspool.h>

#include "common/SharedTypes.h"
#include "engine/ComponentKeys.h"

std::string DriverFolderOf(int targetSystem) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, ComponentEnvironment(targetSystem), 1,
                                    reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
        return "";
    return folder;
}

std::string DriverVersionFolderOf(int targetSystem) {
    std::string root = DriverFolderOf(targetSystem);
    if (root.empty()) return root;
    return root + (targetSystem == Windows98Me ? "\\0" : targetSystem == WindowsNT4 ? "\\2" : "\\3");
}

std::string ProcessorFolderOf(int targetSystem) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrintProcessorDirectoryA(nullptr, ComponentEnvironment(targetSystem), 1,
                                     reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
        return "";
    return folder;
}
