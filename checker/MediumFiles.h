#pragma once
// What the checker asks of the medium besides the configuration readers: whether a file lies where the
// engine copies it from, whether a section exists at all (a missing section reads as "0" like a
// missing key), and the names it reports files and directories under.

#include <cstddef>

constexpr size_t kMediumPathSize = 260;

// "DRVCONFIG\setup.ini", the common file relative to the medium directory.
extern const char kCommonFileName[];

// The category file relative to the medium directory, spelled as the wizard names it beside its
// program ("DRVCONFIG\setup_Lable.ini"); empty for a category outside 0..3.
void CategoryFileName(int category, char (&name)[kMediumPathSize]);

// Full path of a file of the medium (the current directory).
void MediumPath(const char* relative, char (&path)[kMediumPathSize]);

// True when the medium holds this regular file.
bool MediumFileExists(const char* relative);

// True when the system's sub-directory of the medium ("win98", "winnt", ...) holds the file, as the
// engine's copy would find it.
bool SystemFileExists(int targetSystem, const char* name);

// "win98", "winnt", "win2003" or "Vista": the system's sub-directory without its backslashes.
void SystemDirectoryName(int targetSystem, char (&name)[16]);

// True when the file has the section with at least one key.
bool SectionExists(const char* relativeFile, const char* section);

// True when a configured file name names a file: not empty and not beginning with "0".
bool NamesFile(const char* value);

// Why a configured file name cannot name a file of the medium: not a bare name, or a device name
// (CON, NUL, AUX, PRN, COM1..COM9, LPT1..LPT9, with or without an extension), which always "exists"
// and which no copy can take from the medium. The identifier of the finding's text, a format that
// takes the name (%s); 0 when the name is fit.
unsigned FileNameFault(const char* name);
