#pragma once
// The whole till as a test compares it before and after a run that must leave it as it found it: the
// printers with their port, driver, processor, attributes and the default; the spooler's keys, the
// product's and the maker's keys, the list of installed programs and the ports' serial settings; the
// files of the system, spooler and program folders with their bytes.

#include <map>
#include <string>

typedef std::map<std::string, std::string> TillState;

TillState CaptureTill();

// The differences between two states, one line each ("changed: ...", "added: ...", "gone: ..."); empty
// when they are equal.
std::string TillDifferences(const TillState& before, const TillState& after);
