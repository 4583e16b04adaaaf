#pragma once
// The lines of a run's journal (RunJournal.h): a tag, then fields written as hexadecimal bytes so that
// any name, path or registry data (spaces, line ends, GBK, binary) goes through a line unchanged.

#include <string>
#include <vector>

// One journal line: its tag and its fields, decoded.
struct JournalLine {
    std::string tag;
    std::vector<std::string> fields;
};

// "tag hex hex ...": each field written as hexadecimal.
std::string JournalLineOf(const std::string& tag, const std::vector<std::string>& fields);
// False for a line that is not tag and hexadecimal fields separated by single spaces.
bool ReadJournalLine(const std::string& text, JournalLine& line);
