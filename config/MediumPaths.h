#pragma once
// Whether the installation medium leaves room below its directory for every path the readers and the
// engine build there. The system's ANSI file and profile functions take at most MAX_PATH - 1
// characters: on a medium copied deep into a folder tree a longer path would be cut and name another
// file or none, every key read from it would give its default, and the wizard would install with
// those defaults. Such a medium is refused before anything is read from it.

#include <cstddef>

// True when directory (with or without its closing backslash) followed by each name the program puts
// below the medium ("DRVCONFIG\setup_Embedded.ini" the longest) fits MAX_PATH.
bool MediumDirectoryFits(const char* directory);

// The text that refuses a medium: names its directory and says what to do.
constexpr size_t kMediumRefusalSize = 640;
typedef char MediumRefusal[kMediumRefusalSize];

// The medium the program works on: the program directory (or the one UseMediumDirectory gave) and
// the working directory, each read whole and each with room for the medium's names. False, with the
// text to show in refusal, when either does not fit.
bool MediumPathsFit(MediumRefusal& refusal);
