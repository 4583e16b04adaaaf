#pragma once
// The value rules of the configuration files shared by every reader: the decimal conversion, the
// program directory, the section names and the direct reads of a model's port section.

#include <cstddef>

#include "config/SetupConfig.h"

// The C run-time's decimal rules: leading blanks skipped, optional sign, digits up to the first other
// character; text without leading digits is 0.
int DecimalValue(const char* text);

// The running program file's full path cut after its last backslash, the backslash kept; empty when
// there is none. After UseMediumDirectory, that directory instead. False, with directory empty, when
// the program's path cannot be read whole: a cut path would name another directory.
bool GetProgramDirectory(char (&directory)[kConfigPathSize]);

// For a program that works on a medium it does not stand in: the medium's directory (full path, a
// trailing backslash is added) takes the program directory's place for every reader. False when the
// path does not fit.
bool UseMediumDirectory(const char* directory);

// The category file's full path in the program directory ("DRVCONFIG\setup_Lable.ini" for Label);
// the directory alone for a category outside 0..3.
void BuildCategoryIniPath(int category, char (&path)[kConfigPathSize]);

// The category file's name relative to the program directory ("DRVCONFIG\setup_Lable.ini" for
// Label); null for a category outside 0..3.
const char* CategoryFileRelative(int category);

// "98", "NT", "2K", "XP", "2003", "Vista" for the TargetSystem values 0..5; null otherwise.
const char* SystemSuffix(int targetSystem);

// Section names: "%s.PORT" and the descriptor section "%s.<suffix>" (empty for an unknown system).
void BuildPortSection(const char* modelName, char (&section)[200]);
void BuildDescriptorSection(const char* modelName, int targetSystem, char (&section)[200]);

// Reads a key of a section of iniPath with the default "0" and a 200-byte buffer, converted with
// DecimalValue; 0 for an empty path (one that did not fit).
int ReadSectionValue(const char* iniPath, const char* section, const char* key);

// Reads a key of the model's port section ("%s.PORT") from iniPath with the default "0" and a 200-byte
// buffer, and converts it with DecimalValue: AdvancedSetup, System2003Supported, SystemVistaSupported,
// BaudRate, USBSUPPORTED, LPTDEFAULT.
int ReadPortSectionValue(const char* iniPath, const char* modelName, const char* key);
