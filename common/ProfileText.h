#pragma once
// A profile file's text as the system's profile functions read it: the bytes decoded by their mark
// (UTF-16 of either byte order, UTF-8; anything else is taken in the ANSI code page as it stands) and
// split into lines at CR LF, LF or a lone CR. Each line keeps its byte range in the file, so that an
// editor can change one line and leave every other byte as it was.

#include <cstddef>
#include <string>
#include <vector>

enum class ProfileEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct ProfileLine {
    size_t begin;      // the line's first byte in the file
    size_t end;        // just past its last byte of text: where its line end starts
    size_t next;       // just past its line end: the next line's first byte
    std::string text;  // the line's text in the ANSI code page, without its line end
};

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    std::vector<ProfileLine> lines;
};

// The lines of a file's bytes. A last line without a line end has end == next.
ProfileText SplitProfileText(const std::string& bytes);

// The text without the blanks the profile functions skip around names and values: space, tab to
// carriage return, and the end-of-file mark.
std::string TrimmedProfileText(const std::string& text);

// The name of a section header line ("[name]", blanks around it and the name skipped), or false for a
// line that is no header: a header's trimmed text starts with "[" and holds a "]".
bool ProfileSectionName(const std::string& line, std::string& name);
