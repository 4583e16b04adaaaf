#include "common/FileNames.h"
#include "removal/FolderRecord.h"

#include <cstring>

const char kProgramFolderItself[] = ".";

namespace {
const char kFilesValue[] = "InstalledFiles";
const char kFoldersValue[] = "CreatedFolders";
constexpr size_t kRecordSize = 4096;
const char kHexDigits[] = "0123456789abcdef";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Sixteen hexadecimal digits (the runtime of Windows 98 knows no 64-bit conversions).
bool ReadNumber(const std::string& text, unsigned long long& number) {
    if (text.size() != 16) return false;
    number = 0;
    for (char digit : text) {
        const char* at = strchr(kHexDigits, digit);
        if (digit == '\0' || at == nullptr) return false;
        number = number * 16 + static_cast<unsigned long long>(at - kHexDigits);
    }
    return true;
}

std::string WriteNumber(unsigned long long number) {
    std::string text(16, '0');
    for (size_t index = 16; index-- > 0; number /= 16) text[index] = kHexDigits[number % 16];
    return text;
}

// "name|size|time", or a bare name of an older registration.
bool ParseItem(const std::string& item, RecordedFile& file) {
    std::vector<std::string> parts = Split(item, '|');
    file = {parts[0], false, {}};
    if (parts.size() == 1) return !file.name.empty();
    file.identified = parts.size() == 3 && ReadNumber(parts[1], file.identity.size) &&
                      ReadNumber(parts[2], file.identity.written);
    return file.identified && !file.name.empty();
}

bool ReadList(RegistryKey& entry, const char* value, std::vector<std::string>& items) {
    char text[kRecordSize] = {};
    if (!entry.QueryString(value, text, sizeof text)) return false;
    for (const std::string& item : Split(text, ';')) {
        if (!item.empty()) items.push_back(item);
    }
    return true;
}

std::string Join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ";") + item;
    return text;
}
}  // namespace

void FolderRecord::Landed(const std::string& name, const FileIdentity& identity) {
    Forget(name);
    files.push_back({name, true, identity});
}

void FolderRecord::Forget(const std::string& name) {
    for (size_t index = 0; index < files.size(); ++index) {
        if (SameText(files[index].name, name)) {
            files.erase(files.begin() + static_cast<std::ptrdiff_t>(index));
            return;
        }
    }
}

void FolderRecord::Created(const std::string& folder) {
    if (!MadeFolder(folder)) createdFolders.push_back(folder);
}

bool FolderRecord::Names(const std::string& name) const {
    for (const RecordedFile& file : files) {
        if (SameText(file.name, name)) return true;
    }
    return false;
}

bool FolderRecord::MadeFolder(const std::string& folder) const {
    for (const std::string& each : createdFolders) {
        if (SameText(each, folder)) return true;
    }
    return false;
}

bool ReadFolderRecord(RegistryKey& entry, FolderRecord& record) {
    record = FolderRecord();
    std::vector<std::string> items;
    if (!ReadList(entry, kFilesValue, items)) return false;
    for (const std::string& item : items) {
        RecordedFile file;
        // An item that cannot be read whole is not the registration's: it is said kept, never deleted.
        if (!ParseItem(item, file)) file = {item, false, {}};
        record.files.push_back(file);
    }
    ReadList(entry, kFoldersValue, record.createdFolders);
    return true;
}

bool WriteFolderRecord(RegistryKey& entry, const FolderRecord& record, DWORD& error) {
    std::vector<std::string> items;
    for (const RecordedFile& file : record.files) {
        items.push_back(file.identified ? file.name + "|" + WriteNumber(file.identity.size) + "|" +
                                              WriteNumber(file.identity.written)
                                        : file.name);
    }
    std::string files = Join(items);
    std::string folders = Join(record.createdFolders);
    if (files.size() >= kRecordSize || folders.size() >= kRecordSize) {
        error = ERROR_INSUFFICIENT_BUFFER;
        return false;
    }
    return entry.SetString(kFilesValue, files.c_str(), &error) &&
           entry.SetString(kFoldersValue, folders.c_str(), &error);
}
