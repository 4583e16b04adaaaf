#pragma once
// The benchmark's clock and its way of printing a figure with what it measured.

#include <windows.h>

#include <cstdio>

#include "tools/wizard_walker/WalkerOutput.h"

inline LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// One line: format holds a %f-style conversion for value, then a %s for what it measured.
inline void Print(const char* format, double value, const char* what) {
    char line[512];
    snprintf(line, sizeof line, format, value, what);
    PrintLine(line);
}

// The start times of the bare dialog and the wizard, interleaved, with their ratio (StartTimes.cpp).
void ReportStarts();
