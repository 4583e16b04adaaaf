#pragma once
// Registry keys and values, and the profile's entries, as the tests look at them and clear them.

#include <windows.h>

#include <string>

// The NT family's serial settings: "COM2:" = "9600,n,8,1,x" under HKEY_LOCAL_MACHINE.
extern const char kNtPortsKey[];  // "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports"

bool KeyExists(HKEY root, const std::string& path);
// A value of a key; false when the key or the value is missing, or a DWORD value has another type.
bool ReadDword(HKEY root, const std::string& path, const char* value, DWORD& data);
bool ReadString(HKEY root, const std::string& path, const char* value, std::string& data);
// Deletes a value of a key, if the key and the value are there.
void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& value);

// An entry of the profile (win.ini: [Ports], [windows] ...); false when the profile has none.
bool ReadProfileValue(const char* section, const char* key, std::string& data);

// The text that stands for a missing value or entry where a test compares or saves texts.
extern const char kMissingValue[];  // "<none>"
std::string ReadStringOrNone(HKEY root, const std::string& path, const char* value);
std::string ProfileValueOrNone(const char* section, const char* key);
