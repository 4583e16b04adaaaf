#pragma once
// Making a printer the system's default printer, by the method the running platform knows.

// Windows 9x: the printer's default attribute; NT before 5.0: the profile's "windows" "device" entry;
// NT 5.0 and later: SetDefaultPrinterA. False when name is null or any step fails.
bool MakeDefaultPrinter(const char* name);
