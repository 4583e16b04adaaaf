#pragma once
// Making a printer the system's default printer, by the method the running platform knows.

// Windows 9x: the printer's default attribute; NT before 5.0: the profile's "windows" "device" entry;
// NT 5.0 and later: SetDefaultPrinterA. False when name is null or any step fails.
bool MakeDefaultPrinter(const char* name);

// True when the system's default printer is the printer of that name: the profile's "windows" "device"
// entry up to its first comma, which every target system keeps.
bool IsDefaultPrinter(const char* name);
