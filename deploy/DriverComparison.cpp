#include "deploy/DriverComparison.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/FileVersion.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "engine/SystemDriverFiles.h"

namespace {
// The whole content of a file; false when it cannot be read.
bool ReadWhole(const std::string& path, std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    content.clear();
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) content.append(chunk, read);
    CloseHandle(file);
    return true;
}

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string MediumFolder(TargetSystem system) {
    char directory[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) return "";
    std::string folder = directory;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + SourceSubdirectory(system);
}

// One installed file against the medium's of its name; Same when the medium has none.
DriverComparison CompareFile(const std::string& installed, const std::string& mediumFolder) {
    DriverComparison comparison = {DriverAgainstMedium::Same, NameOf(installed), "", ""};
    std::string medium = mediumFolder + comparison.file;
    if (GetFileAttributesA(medium.c_str()) == INVALID_FILE_ATTRIBUTES) return comparison;
    FileVersion ours = ReadFileVersion(installed);
    FileVersion theirs = ReadFileVersion(medium);
    if (ours.present && theirs.present) {
        comparison.installedVersion = ours.text;
        comparison.mediumVersion = theirs.text;
        if (ours.number < theirs.number) comparison.state = DriverAgainstMedium::Older;
        if (ours.number > theirs.number) comparison.state = DriverAgainstMedium::Newer;
        return comparison;
    }
    std::string installedContent, mediumContent;
    if (!ReadWhole(installed, installedContent) || !ReadWhole(medium, mediumContent) ||
        installedContent != mediumContent)
        comparison.state = DriverAgainstMedium::Older;
    return comparison;
}

// The full paths of the registered driver's files; false when no driver of the name is registered.
bool RegisteredFiles(const std::string& driverName, TargetSystem system, std::vector<std::string>& files) {
    DWORD needed = 0;
    DWORD count = 0;
    char* environment = ComponentEnvironment(system);
    EnumPrinterDriversA(nullptr, environment, 3, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrinterDriversA(nullptr, environment, 3, buffer.data(), needed, &needed, &count)) return false;
    const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD index = 0; index < count; ++index) {
        if (info[index].pName == nullptr || lstrcmpiA(info[index].pName, driverName.c_str()) != 0) continue;
        for (const char* file : {info[index].pDriverPath, info[index].pDataFile, info[index].pConfigFile,
                                 info[index].pHelpFile}) {
            if (file != nullptr && file[0] != '\0') files.push_back(file);
        }
        for (const char* file = info[index].pDependentFiles; file != nullptr && *file != '\0';
             file += strlen(file) + 1)
            files.push_back(file);
        return true;
    }
    return false;
}
}  // namespace

DriverComparison CompareDriverWithMedium(const std::string& driverName, TargetSystem system) {
    std::vector<std::string> files;
    if (!RegisteredFiles(driverName, system, files)) return {DriverAgainstMedium::NotRegistered, "", "", ""};
    std::string mediumFolder = MediumFolder(system);
    DriverComparison result = {DriverAgainstMedium::Same, "", "", ""};
    for (const std::string& file : files) {
        // The system's shared files are the system's own: the medium supplies them only where missing.
        if (IsSystemSharedDriverFile(NameOf(file).c_str(), system)) continue;
        DriverComparison each = CompareFile(file, mediumFolder);
        if (each.state == DriverAgainstMedium::Older) return each;
        if (each.state == DriverAgainstMedium::Newer && result.state == DriverAgainstMedium::Same)
            result = each;
    }
    return result;
}

std::string DescribeComparison(const DriverComparison& comparison) {
    switch (comparison.state) {
        case DriverAgainstMedium::NotRegistered:
            return "未安装";
        case DriverAgainstMedium::Same:
            return "与安装介质上的相同（最新）";
        case DriverAgainstMedium::Older:
        case DriverAgainstMedium::Newer:
            break;
    }
    const char* state = comparison.state == DriverAgainstMedium::Older ? "过旧" : "较新";
    if (comparison.installedVersion.empty())
        return "文件 " + comparison.file + " 与安装介质上的不同（" + state + "）";
    return "文件 " + comparison.file + " 已安装版本 " + comparison.installedVersion + "，介质版本 " +
           comparison.mediumVersion + "（" + state + "）";
}
