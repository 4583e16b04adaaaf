#include "deploy/DriverComparison.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/FileNames.h"
#include "common/FileVersion.h"
#include "common/ResourceText.h"
#include "deploy/DeployTextIds.h"
#include "engine/ComponentKeys.h"
#include "engine/DriverFileCopy.h"
#include "engine/DriverMediumRecord.h"
#include "engine/SpoolerFolders.h"
#include "engine/SystemDriverFiles.h"
#include "removal/ComponentFiles.h"

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

std::string MediumFolder(TargetSystem system) {
    char directory[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) return "";
    std::string folder = directory;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + SourceSubdirectory(system);
}

// The medium's version against the one recorded for the driver when it was added, for files whose
// contents differ and whose times do not tell (see CompareFile).
struct MediumEvidence {
    DriverAgainstMedium installed;  // Older or Newer: what the installed files count as
    std::string recorded;           // the recorded version, empty when none or the same as the running
    std::string running;
};

MediumEvidence WeighMediumVersions(const std::string& driverName) {
    FileVersion recorded = RecordedDriverMedium(driverName);
    FileVersion running = RunningMediumVersion();
    MediumEvidence evidence = {DriverAgainstMedium::Older, "", running.text};
    if (!recorded.present || !running.present || recorded.number == running.number) return evidence;
    evidence.recorded = recorded.text;
    if (recorded.number > running.number) evidence.installed = DriverAgainstMedium::Newer;
    return evidence;
}

// Whether the installed file was written later than the medium's, beyond the two seconds a FAT volume
// keeps.
bool WrittenLater(const std::string& installed, const std::string& medium) {
    WIN32_FILE_ATTRIBUTE_DATA ours = {}, theirs = {};
    if (!GetFileAttributesExA(installed.c_str(), GetFileExInfoStandard, &ours) ||
        !GetFileAttributesExA(medium.c_str(), GetFileExInfoStandard, &theirs))
        return false;
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const unsigned long long twoSeconds = 20000000ULL;
    return ticks(ours.ftLastWriteTime) > ticks(theirs.ftLastWriteTime) + twoSeconds;
}

// Two files of differing contents and no versions of their own. The times tell one way only: a copy
// keeps the time of the file it was made from, so a till's file written later than the medium's came
// from a later file, and a medium made before it never replaces it. The other way they tell nothing: a
// medium copied or unpacked today has today's times whatever its age, and files within the two seconds
// have no order. There the medium's own version decides against the version recorded for the driver
// when it was added: a driver added by a newer medium is never replaced by an older one, one added by
// an older medium is. Without a record (a driver added before records were kept, or by another
// program) or with the running version recorded there is no other evidence, and the driver is treated
// as it always was: the running medium is the one the till is to match, and its file replaces the
// till's.
void CompareDifferingContents(const std::string& installed, const std::string& medium,
                              const MediumEvidence& evidence, DriverComparison& comparison) {
    if (WrittenLater(installed, medium)) {
        comparison.state = DriverAgainstMedium::Newer;
        return;
    }
    comparison.state = evidence.installed;
    if (evidence.recorded.empty()) return;
    comparison.byMediumVersion = true;
    comparison.installedVersion = evidence.recorded;
    comparison.mediumVersion = evidence.running;
}

DriverComparison Of(DriverAgainstMedium state, const std::string& file = "") {
    DriverComparison comparison;
    comparison.state = state;
    comparison.file = file;
    return comparison;
}

// One installed file against the medium's of its name; NoMediumFiles when the medium has none.
DriverComparison CompareFile(const std::string& installed, const std::string& mediumFolder,
                             const MediumEvidence& evidence) {
    DriverComparison comparison = Of(DriverAgainstMedium::Same, FileNameOf(installed));
    std::string medium = mediumFolder + comparison.file;
    if (GetFileAttributesA(medium.c_str()) == INVALID_FILE_ATTRIBUTES) {
        comparison.state = DriverAgainstMedium::NoMediumFiles;
        return comparison;
    }
    if (GetFileAttributesA(installed.c_str()) == INVALID_FILE_ATTRIBUTES) {
        comparison.state = DriverAgainstMedium::Older;
        return comparison;
    }
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
    bool read = ReadWhole(installed, installedContent);
    const std::string& unread = read ? medium : installed;
    if (!read || !ReadWhole(medium, mediumContent)) {
        comparison.state = DriverAgainstMedium::Unreadable;
        comparison.error = GetLastError();
        comparison.file = unread;
        return comparison;
    }
    if (installedContent != mediumContent) CompareDifferingContents(installed, medium, evidence, comparison);
    return comparison;
}

std::vector<Registration> Registered(TargetSystem system) {
    std::vector<Registration> drivers;
    DWORD error = 0;
    RegisteredDrivers(system, drivers, error);
    return drivers;
}

// True when one of the paths names a file of the name.
bool NamesFile(const std::vector<std::string>& paths, const std::string& name) {
    for (const std::string& path : paths) {
        if (SameText(FileNameOf(path), name)) return true;
    }
    return false;
}

// The installed copies to compare: the registered files, then each file the medium names that the
// registration does not list, where the installation put it (beside the registered files, else in the
// printer-driver folder).
std::vector<std::string> InstalledCopies(const Registration& driver, const std::vector<std::string>& named,
                                         TargetSystem system) {
    std::vector<std::string> copies = driver.files;
    std::string versionFolder = driver.files.empty() ? "" : (FolderOf(driver.files[0]) + "\\");
    std::string root = DriverFolderOf(system);
    for (const std::string& name : named) {
        if (NamesFile(copies, name)) continue;
        std::string inVersion = versionFolder + name;
        bool there = !versionFolder.empty() && PathExists(inVersion);
        copies.push_back(there ? inVersion : root + "\\" + name);
    }
    return copies;
}
}  // namespace

DriverComparison CompareDriverWithMedium(const std::string& driverName,
                                         const std::vector<std::string>& namedFiles, TargetSystem system) {
    const Registration* driver = nullptr;
    std::vector<Registration> drivers = Registered(system);
    for (const Registration& each : drivers) {
        if (SameText(each.name, driverName)) driver = &each;
    }
    if (driver == nullptr) return Of(DriverAgainstMedium::NotRegistered);
    std::string mediumFolder = MediumFolder(system);
    MediumEvidence evidence = WeighMediumVersions(driverName);
    DriverComparison older = Of(DriverAgainstMedium::Same);
    DriverComparison newer = older;
    bool compared = false;
    std::vector<std::string> paths;
    for (const std::string& file : InstalledCopies(*driver, namedFiles, system)) {
        if (IsSystemSharedDriverFile(FileNameOf(file).c_str(), system)) continue;
        DriverComparison each = CompareFile(file, mediumFolder, evidence);
        if (each.state == DriverAgainstMedium::NoMediumFiles) continue;
        compared = true;
        if (each.state == DriverAgainstMedium::Unreadable) return each;
        if (each.state == DriverAgainstMedium::Older) paths.push_back(file);
        if (each.state == DriverAgainstMedium::Older && older.state == DriverAgainstMedium::Same)
            older = each;
        if (each.state == DriverAgainstMedium::Newer && newer.state == DriverAgainstMedium::Same)
            newer = each;
    }
    if (!compared) return Of(DriverAgainstMedium::NoMediumFiles);
    older.olderPaths = paths;
    if (older.state == DriverAgainstMedium::Older && newer.state == DriverAgainstMedium::Newer) {
        older.state = DriverAgainstMedium::Mixed;
        older.newerFile = newer.file;
    }
    return older.state != DriverAgainstMedium::Same ? older : newer;
}

std::string DescribeComparison(const DriverComparison& comparison) {
    switch (comparison.state) {
        case DriverAgainstMedium::NotRegistered:
            return ResourceText(IDS_COMPARISON_NOT_REGISTERED);
        case DriverAgainstMedium::NoMediumFiles:
            return ResourceText(IDS_COMPARISON_NO_MEDIUM_FILES);
        case DriverAgainstMedium::Unreadable:
            // In the output's own form of a text with its error number.
            return FormatResource(IDS_DEPLOY_WITH_ERROR,
                                  FormatResource(IDS_COMPARISON_UNREADABLE, comparison.file.c_str()).c_str(),
                                  comparison.error);
        case DriverAgainstMedium::Same:
            return ResourceText(IDS_COMPARISON_SAME);
        case DriverAgainstMedium::Mixed:
            return FormatResource(IDS_COMPARISON_MIXED, comparison.file.c_str(),
                                  comparison.newerFile.c_str());
        case DriverAgainstMedium::Older:
        case DriverAgainstMedium::Newer:
            break;
    }
    bool older = comparison.state == DriverAgainstMedium::Older;
    if (comparison.byMediumVersion)
        return FormatResource(older ? IDS_COMPARISON_OLDER_MEDIUM : IDS_COMPARISON_NEWER_MEDIUM,
                              comparison.file.c_str(), comparison.installedVersion.c_str(),
                              comparison.mediumVersion.c_str());
    if (comparison.installedVersion.empty())
        return FormatResource(older ? IDS_COMPARISON_OLDER_CONTENT : IDS_COMPARISON_NEWER_CONTENT,
                              comparison.file.c_str());
    return FormatResource(older ? IDS_COMPARISON_OLDER_VERSION : IDS_COMPARISON_NEWER_VERSION,
                          comparison.file.c_str(), comparison.installedVersion.c_str(),
                          comparison.mediumVersion.c_str());
}

std::string OtherDriverSharing(const std::string& driverName, const std::vector<std::string>& paths,
                               TargetSystem system, std::string& file) {
    for (const Registration& other : Registered(system)) {
        if (lstrcmpiA(other.name.c_str(), driverName.c_str()) == 0) continue;
        for (const std::string& theirs : other.files) {
            for (const std::string& path : paths) {
                if (lstrcmpiA(path.c_str(), theirs.c_str()) != 0) continue;
                file = path;
                return other.name;
            }
        }
    }
    return "";
}
