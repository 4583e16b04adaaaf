#include "removal/FolderPaths.h"

#include <cctype>
#include <cstring>

#include "common/FileNames.h"
#include "common/ResourceText.h"
#include "removal/RemovalTextIds.h"

namespace {
// A device the system opens whatever folder names it: "COM1", "nul.txt", "Aux .log".
bool IsDeviceName(const std::string& step) {
    std::string base = step.substr(0, step.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (SameText(base, device)) return true;
    }
    if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
    std::string kind = base.substr(0, 3);
    return SameText(kind, "COM") || SameText(kind, "LPT");
}

bool IsPlainStep(const std::string& step) {
    if (step.empty() || step == "." || step == ".." || IsDeviceName(step)) return false;
    for (unsigned char each : step) {
        if (each < ' ' || std::strchr("*?:/<>|\"", each) != nullptr) return false;
    }
    return true;
}

RecordedFileCheck Kept(UINT why) {
    return {RecordedFileState::Kept, ResourceText(why)};
}
}  // namespace

bool ReadFileIdentity(const std::string& path, FileIdentity& identity) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
        return false;
    identity.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    identity.written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool IsPlainRelativeName(const std::string& name) {
    if (name.empty()) return false;
    size_t start = 0;
    for (size_t slash = name.find('\\');; slash = name.find('\\', start)) {
        if (!IsPlainStep(name.substr(start, slash == std::string::npos ? slash : slash - start)))
            return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string LinkOnTheWay(const std::string& folder, const std::string& name) {
    if (IsLink(folder)) return folder;
    for (size_t slash = name.find('\\'); slash != std::string::npos; slash = name.find('\\', slash + 1)) {
        std::string step = folder + "\\" + name.substr(0, slash);
        if (IsLink(step)) return step;
    }
    return "";
}

RecordedFileCheck CheckRecordedFile(const std::string& folder, const std::string& name,
                                    const FileIdentity* identity) {
    if (!IsPlainRelativeName(name)) return Kept(IDS_REMOVAL_NOT_PLAIN_NAME);
    std::string link = LinkOnTheWay(folder, name);
    if (!link.empty())
        return {RecordedFileState::Kept, FormatResource(IDS_REMOVAL_FOLDER_ON_WAY_IS_LINK, link.c_str())};
    std::string path = folder + "\\" + name;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {RecordedFileState::Missing, ""};
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Kept(IDS_REMOVAL_IS_LINK);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kept(IDS_REMOVAL_NOT_A_FILE);
    if (identity == nullptr) return Kept(IDS_REMOVAL_NO_IDENTITY);
    FileIdentity found;
    if (!ReadFileIdentity(path, found) || found.size != identity->size || found.written != identity->written)
        return Kept(IDS_REMOVAL_FILE_CHANGED);
    return {RecordedFileState::Ours, ""};
}
