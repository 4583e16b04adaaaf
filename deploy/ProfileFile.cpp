#include "deploy/ProfileFile.h"

#include "removal/FileReplace.h"

#include <windows.h>

#include <cstdlib>

#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "choices/PortOffer.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/PrinterInstall.h"
#include "deploy/ProfileLines.h"

namespace {
const char kHeaderSection[] = "QelvanProfile";
const char kCountKey[] = "Printers";

// The keys of a printer section, in the order they are written; serial ones in SerialList order.
const char kModelKey[] = "Model";
const char kPortKey[] = "Port";
const char kAdvancedKey[] = "Advanced";
const char kDefaultKey[] = "Default";
const char* const kSerialKeys[kSerialListCount] = {"Baud", "DataBits", "Parity", "StopBits", "Flow"};

// A profile call's whole answer: the buffer grows until the answer is no longer cut.
template <typename Read>
std::string ReadWhole(Read read) {
    for (DWORD size = 4096;; size *= 2) {
        std::string buffer(size, '\0');
        DWORD length = read(&buffer[0], size);
        if (length + 2 < size) return buffer.substr(0, length);
    }
}

// The texts of a double-null-terminated list.
std::vector<std::string> ListOf(const std::string& list) {
    std::vector<std::string> items;
    for (size_t at = 0; at < list.size();) {
        size_t end = list.find('\0', at);
        if (end == std::string::npos) end = list.size();
        if (end > at) items.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

// A value as the file means it: an inline comment (";" after a space or tab) cut off, the spaces around
// it dropped. No value a profile holds contains ";".
std::string MeantValue(const std::string& raw) {
    std::string value = raw;
    for (size_t at = value.find(';'); at != std::string::npos; at = value.find(';', at + 1)) {
        if (at > 0 && (value[at - 1] == ' ' || value[at - 1] == '\t')) {
            value.erase(at);
            break;
        }
    }
    size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

// A refusal's line: a format of the table that names the file and where in it (section and key), then
// takes the arguments of its own, in the order of its comment in the ids header. Always false.
template <typename... Arguments>
bool Refuse(UINT id, const char* path, const std::string& where, Arguments... arguments) {
    SayResourceFormatted(id, path, where.c_str(), arguments...);
    return false;
}

bool TakeFlag(const char* path, const RequestValue& value, bool& flag) {
    if (lstrcmpiA(value.text.c_str(), "Yes") == 0 || lstrcmpiA(value.text.c_str(), "No") == 0) {
        flag = lstrcmpiA(value.text.c_str(), "Yes") == 0;
        return true;
    }
    return Refuse(IDS_PROFILE_NOT_YES_NO, path, value.where);
}

// The slot of the request a key fills; null for a key the profile does not know.
RequestValue* SlotOf(InstallRequest& request, const std::string& key, RequestValue& advanced,
                     RequestValue& isDefault) {
    if (lstrcmpiA(key.c_str(), kModelKey) == 0) return &request.model;
    if (lstrcmpiA(key.c_str(), kPortKey) == 0) return &request.port;
    if (lstrcmpiA(key.c_str(), kAdvancedKey) == 0) return &advanced;
    if (lstrcmpiA(key.c_str(), kDefaultKey) == 0) return &isDefault;
    for (int index = 0; index < kSerialListCount; ++index) {
        if (lstrcmpiA(key.c_str(), kSerialKeys[index]) == 0) return &request.serial[index];
    }
    return nullptr;
}

bool ReadEntry(const char* path, const std::string& section, ProfileEntry& entry) {
    entry.section = section;
    std::string lines = ReadWhole([&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), buffer, size, path);
    });
    RequestValue advanced, isDefault;
    for (const std::string& line : ListOf(lines)) {
        size_t equals = line.find('=');
        std::string key = line.substr(0, equals);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        std::string where = "[" + section + "] " + key;
        if (equals == std::string::npos)
            return Refuse(IDS_PROFILE_UNREADABLE_LINE, path, "[" + section + "]", line.c_str());
        RequestValue* slot = SlotOf(entry.request, key, advanced, isDefault);
        if (slot == nullptr) return Refuse(IDS_PROFILE_UNKNOWN_KEY, path, where);
        std::string value = MeantValue(line.substr(equals + 1));
        if (value.empty()) return Refuse(IDS_PROFILE_NO_VALUE, path, where);
        *slot = {value, where};
    }
    if (!entry.request.model.Given())
        return Refuse(IDS_PROFILE_NO_MODEL, path, "[" + section + "] " + kModelKey);
    if (!entry.request.port.Given())
        return Refuse(IDS_PROFILE_NO_PORT, path, "[" + section + "] " + kPortKey);
    return (!advanced.Given() || TakeFlag(path, advanced, entry.request.advanced)) &&
           (!isDefault.Given() || TakeFlag(path, isDefault, entry.request.setDefault));
}

bool ReadHeaderCount(const char* path, size_t sections, int& count) {
    char read[64] = {};
    std::string where = std::string("[") + kHeaderSection + "] " + kCountKey;
    GetPrivateProfileStringA(kHeaderSection, kCountKey, "", read, sizeof read, path);
    std::string text = MeantValue(read);
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0) return Refuse(IDS_PROFILE_COUNT_NOT_A_NUMBER, path, where);
    // The number as the file writes it: one past what a number holds is said as written, not cut.
    if (value > static_cast<long>(sections) || static_cast<size_t>(value) != sections)
        return Refuse(IDS_PROFILE_COUNT_DIFFERS, path, where, text.c_str(), static_cast<unsigned>(sections));
    count = static_cast<int>(value);
    return true;
}
// The serial settings' key of a port ("COM2:" for "TVCOM2:"); empty for a port that has none.
std::string SerialPortOf(const std::string& port) {
    std::string upper = port;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    size_t com = upper.find("COM");
    return com == std::string::npos ? "" : upper.substr(com);
}

// Two entries on one serial port that ask for different settings would turn the port's settings back
// and forth at every apply, and one that names a setting the other leaves out would have it set by the
// other's preset when that one is installed: the file says two things. Each setting is given by both
// with the same text, or by neither.
bool SerialSettingsAgree(const char* path, const ProfileEntry& earlier, const ProfileEntry& later) {
    std::string port = SerialPortOf(later.request.port.text);
    if (port.empty() || port != SerialPortOf(earlier.request.port.text)) return true;
    for (int index = 0; index < kSerialListCount; ++index) {
        const RequestValue& first = earlier.request.serial[index];
        const RequestValue& second = later.request.serial[index];
        if (!first.Given() && !second.Given()) continue;
        if (first.Given() && second.Given()) {
            if (lstrcmpiA(first.text.c_str(), second.text.c_str()) == 0) continue;
            return Refuse(IDS_PROFILE_SERIAL_DIFFERS, path, second.where, first.where.c_str(),
                          first.text.c_str(), port.c_str());
        }
        const ProfileEntry& silent = first.Given() ? later : earlier;
        const RequestValue& given = first.Given() ? first : second;
        return Refuse(IDS_PROFILE_SERIAL_MISSING, path, "[" + silent.section + "] " + kSerialKeys[index],
                      given.where.c_str(), given.text.c_str(), port.c_str());
    }
    return true;
}

// The USB port a printer of the entry sits on (a model's alias where it has one), in capitals; empty
// for a port of another kind.
std::string UsbPortOf(const ProfileEntry& entry) {
    std::string upper = entry.request.port.text;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    if (ReactionToPort(upper.c_str()) != PortReaction::UsbPort) return "";
    return PortNameForEntry(upper.c_str());
}

// A USB port holds one printer: two entries on it would each take the other's printer.
bool UsbPortsDiffer(const char* path, const ProfileEntry& earlier, const ProfileEntry& later) {
    std::string port = UsbPortOf(later);
    if (port.empty() || port != UsbPortOf(earlier)) return true;
    return Refuse(IDS_PROFILE_USB_PORT_TWICE, path, later.request.port.where, earlier.section.c_str(),
                  later.request.port.text.c_str());
}

// One printer per USB port, one default printer and one setting per serial port: what the file asks for can
// all hold at once.
bool EntriesAgree(const char* path, const std::vector<ProfileEntry>& entries) {
    const ProfileEntry* isDefault = nullptr;
    for (size_t later = 0; later < entries.size(); ++later) {
        for (size_t earlier = 0; earlier < later; ++earlier) {
            if (!UsbPortsDiffer(path, entries[earlier], entries[later]) ||
                !SerialSettingsAgree(path, entries[earlier], entries[later]))
                return false;
        }
        if (!entries[later].request.setDefault) continue;
        if (isDefault != nullptr) {
            return Refuse(IDS_PROFILE_SECOND_DEFAULT, path, "[" + entries[later].section + "] " + kDefaultKey,
                          isDefault->section.c_str());
        }
        isDefault = &entries[later];
    }
    return true;
}
bool WriteBytes(const char* path, const std::string& text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE &&
                WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                written == text.size();
    DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    SetLastError(error);
    return done;
}

// Writes the text to a new file beside the target, then puts it in the target's place whole
// (FileReplace.h): a till applying the share's file meanwhile reads the old file or the new one, and a
// failure leaves the target as it was and nothing beside it.
bool WriteWhole(const char* path, const std::string& text) {
    DWORD error = 0;
    std::string written = FileBeside(path);
    if (written.empty()) error = GetLastError();
    if (!written.empty() && !WriteBytes(written.c_str(), text)) {
        error = GetLastError();
        DeleteFileA(written.c_str());
        written.clear();
    }
    if (!written.empty() && ReplaceWithWritten(written.c_str(), path, RunningSystem() != Windows98Me, error))
        return true;
    SayWithError(FormatResource(IDS_PROFILE_CANNOT_WRITE, path).c_str(), error);
    return false;
}
}  // namespace

bool ReadProfile(const char* path, std::vector<ProfileEntry>& entries) {
    entries.clear();
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        // Taken before the text is loaded, which may set another.
        DWORD error = GetLastError();
        SayWithError(FormatResource(IDS_PROFILE_CANNOT_READ, path).c_str(), error);
        return false;
    }
    if (!CheckEachOnce(path)) return false;
    std::vector<std::string> sections = ListOf(ReadWhole(
        [&](char* buffer, DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, path); }));
    bool hasHeader = false;
    for (const std::string& section : sections)
        hasHeader = hasHeader || lstrcmpiA(section.c_str(), kHeaderSection) == 0;
    if (!hasHeader) return Refuse(IDS_PROFILE_NO_HEADER, path, std::string("[") + kHeaderSection + "]");
    int count = 0;
    if (!ReadHeaderCount(path, sections.size() - 1, count)) return false;
    for (const std::string& section : sections) {
        if (lstrcmpiA(section.c_str(), kHeaderSection) == 0) continue;
        ProfileEntry entry;
        if (!ReadEntry(path, section, entry)) return false;
        entries.push_back(entry);
    }
    return EntriesAgree(path, entries);
}

bool WriteProfile(const char* path, const std::vector<InstallRequest>& printers) {
    std::string text;
    for (UINT comment : {IDS_PROFILE_COMMENT_ORIGIN, IDS_PROFILE_COMMENT_EDITING, IDS_PROFILE_COMMENT_VALUES})
        text += ResourceText(comment) + "\r\n";
    text += std::string("[") + kHeaderSection + "]\r\n" + kCountKey + "=" + std::to_string(printers.size()) +
            "\r\n";
    int number = 0;
    for (const InstallRequest& printer : printers) {
        text += "\r\n[Printer" + std::to_string(++number) + "]\r\n";
        text += std::string(kModelKey) + "=" + printer.model.text + "\r\n";
        text += std::string(kPortKey) + "=" + printer.port.text + "\r\n";
        text += std::string(kAdvancedKey) + "=" + (printer.advanced ? "Yes" : "No") + "\r\n";
        text += std::string(kDefaultKey) + "=" + (printer.setDefault ? "Yes" : "No") + "\r\n";
        for (int index = 0; index < kSerialListCount; ++index) {
            if (!printer.serial[index].text.empty())
                text += std::string(kSerialKeys[index]) + "=" + printer.serial[index].text + "\r\n";
        }
    }
    return WriteWhole(path, text);
}

const char* ProfileSerialKey(SerialList list) {
    return kSerialKeys[static_cast<int>(list)];
}
