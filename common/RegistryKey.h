#pragma once
// The one class through which the program reads and writes the registry. It owns a single open key
// (closed by the destructor), answers every operation with a plain result, keeps the platform's
// result code for the caller and never shows a message.

#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(HKEY root, const char* path);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Closes any key held, then opens root\path with full access. False leaves the object closed.
    bool Open(HKEY root, const char* path);
    // False when the object was already closed or the platform refused to close the key.
    bool Close();
    bool IsOpen() const { return handle != nullptr; }

    // Reads a value of any type into buffer (size bytes); the size read is not passed back.
    bool QueryValue(const char* name, void* buffer, DWORD size);
    // error, when given, receives lastError. A value longer than 4 bytes fails.
    bool QueryDword(const char* name, DWORD& value, DWORD* error = nullptr);
    // The buffer always holds a terminated text afterwards, empty when the read failed.
    bool QueryString(const char* name, char* buffer, DWORD size, DWORD* error = nullptr);
    // The items of a ";"-separated text value as an array ending at its first null slot, or null when
    // the value is missing, empty, or memory runs out. Release it with FreeStringList.
    char** QueryStringList(const char* name, DWORD* error = nullptr);
    static void FreeStringList(char** list);

    bool SetValue(const char* name, const void* data, DWORD type, DWORD size);
    bool SetDword(const char* name, DWORD value, DWORD* error = nullptr);
    // Writes the text with its terminating zero as REG_SZ.
    bool SetString(const char* name, const char* text, DWORD* error = nullptr);

    // Deletes a value of the open key.
    bool DeleteValue(const char* name);

    // Creates root\path (or opens it when it exists) and closes it again at once.
    static bool CreateKey(HKEY root, const char* path, const char* className = nullptr);
    // Deletes root\path, which must have no sub-keys. error, when given, receives the registry's code.
    static bool DeleteKey(HKEY root, const char* path, DWORD* error = nullptr);
    // Deletes root\path only when it holds no value and no sub-key (Windows 98/Me's RegDeleteKey would
    // take the sub-keys with it). False when the key stays.
    static bool DeleteKeyWhenEmpty(HKEY root, const char* path);

    // The result code of RegEnumValueA for the value at index (no data is read); nameLength is the
    // buffer's size on entry and the name's length on success. A closed object answers
    // ERROR_INVALID_HANDLE, so an enumeration loop ends instead of running forever.
    LONG EnumValue(DWORD index, char* name, DWORD& nameLength, DWORD& type);

    // The result code the registry returned to the last failed Open or the last QueryValue, SetValue or
    // DeleteValue (ERROR_FILE_NOT_FOUND for a missing value). The registry functions answer with their
    // result and leave the thread's last-error value alone.
    DWORD lastError = 0;

private:
    HKEY handle = nullptr;
};
