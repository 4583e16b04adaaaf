#include "removal/InstalledSize.h"

#include <winspool.h>

#include <string>
#include <vector>

#include "common/RegistryKey.h"
#include "engine/ComponentKeys.h"
#include "removal/ComponentFiles.h"
#include "removal/MediumNames.h"

namespace {
// Adds a file's size once, whatever spelling of its path comes first.
class DiskUse {
public:
    void Add(const std::string& path) {
        if (path.empty()) return;
        for (const std::string& counted : counted_) {
            if (lstrcmpiA(counted.c_str(), path.c_str()) == 0) return;
        }
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(path.c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        FindClose(find);
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return;
        counted_.push_back(path);
        bytes_ += found.nFileSizeLow;
    }
    void AddDirectory(const std::string& directory) {
        DWORD attributes = GetFileAttributesA(directory.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                AddDirectory(directory + "\\" + name);
            else
                Add(directory + "\\" + name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    DWORD KiB() const { return static_cast<DWORD>((bytes_ + 1023) / 1024); }

private:
    std::vector<std::string> counted_;
    unsigned long long bytes_ = 0;
};

// The files of the medium's registered drivers, as the spooler names them.
void AddDriverFiles(const MediumNames& names, TargetSystem system, DiskUse& use) {
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    for (const Registration& driver : drivers) {
        if (!ListedIn(names.drivers, driver.name)) continue;
        for (const std::string& file : driver.files) use.Add(file);
    }
}

// A component's file, named by the "Driver" value of its key, in its directory.
void AddComponentFile(const char* keyPath, const char* directory, DiskUse& use) {
    RegistryKey key;
    char file[MAX_PATH] = {};
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath) || !key.QueryString("Driver", file, sizeof file)) return;
    use.Add(std::string(directory) + "\\" + file);
}
}  // namespace

DWORD InstalledKiB(const char* folder, TargetSystem system) {
    DiskUse use;
    use.AddDirectory(folder);
    MediumNames names = ReadMediumNames(system);
    AddDriverFiles(names, system, use);
    char systemDirectory[MAX_PATH] = {};
    GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);
    for (const MediumMonitor& monitor : names.monitors) {
        char keyPath[kComponentKeyPathSize];
        MonitorKeyPath(monitor.name.c_str(), keyPath);
        AddComponentFile(keyPath, systemDirectory, use);
    }
    char processors[MAX_PATH] = {};
    DWORD needed = 0;
    if (GetPrintProcessorDirectoryA(nullptr, ComponentEnvironment(system), 1,
                                    reinterpret_cast<BYTE*>(processors), sizeof processors, &needed)) {
        for (const std::string& processor : names.processors) {
            char keyPath[kComponentKeyPathSize];
            ProcessorKeyPath(system, processor.c_str(), keyPath);
            AddComponentFile(keyPath, processors, use);
        }
    }
    return use.KiB();
}
