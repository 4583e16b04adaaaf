#pragma once
// What a name in the program folder's record may be, and how a file there is known as the one the
// registration wrote. The record lives in the registry, where anyone with the rights may edit it:
// removal and re-registration delete a recorded name only when it is a plain file directly in or below
// the folder, reached through no link, and still the file the registration wrote (its size and
// last-write time as recorded beside the name).

#include <windows.h>

#include <string>

// What identifies a file the registration wrote: its size and last-write time.
struct FileIdentity {
    unsigned long long size = 0;
    unsigned long long written = 0;  // FILETIME as one number
};

// The identity of a plain file; false when path is missing, a folder or a link.
bool ReadFileIdentity(const std::string& path, FileIdentity& identity);

// True for a name relative to the folder made of plain steps: no drive, no root, no "\\?\" or "\??\"
// form, no step upwards, no empty step, no wildcard and no device name (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, with or without an extension) in any step.
bool IsPlainRelativeName(const std::string& name);

// True when path is a reparse point (a junction, a symbolic link).
bool IsLink(const std::string& path);

// The first of the folder itself and the folders under it on the way to name that is a link; empty when
// none is.
std::string LinkOnTheWay(const std::string& folder, const std::string& name);

// Whether a recorded file may be deleted as the registration's own.
enum class RecordedFileState { Ours, Missing, Kept };
struct RecordedFileCheck {
    RecordedFileState state;
    std::string why;  // Kept: the reason the user reads
};
// identity: what the record holds, null for a name recorded without one (an older registration).
RecordedFileCheck CheckRecordedFile(const std::string& folder, const std::string& name,
                                    const FileIdentity* identity);
