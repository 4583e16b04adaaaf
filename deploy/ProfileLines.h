#pragma once
// The profile file's own lines, read as they stand: the profile functions answer a section or a key
// written twice with its first occurrence and hide the second (Wine lists a repeated section name but
// reads the first section under it; a key asked for by name gives its first value), so a file that says
// two things is found here.

// True when each section name appears once (compared without regard to case) and each key once in its
// section; false with the refusal said, naming the file, the section and the key written twice.
bool CheckEachOnce(const char* path);
