#pragma once
// A function of the spooler's library that not every target system exports (SetDefaultPrinterA and
// AddPrinterDriverExA are missing on Windows 98/Me or NT 4.0, DeletePrintProcessorA on some): the
// library is loaded and the function looked up when it is needed, and let go with the object.

#include <windows.h>

class SpoolerLibraryFunction {
public:
    explicit SpoolerLibraryFunction(const char* name);
    ~SpoolerLibraryFunction();
    SpoolerLibraryFunction(const SpoolerLibraryFunction&) = delete;
    SpoolerLibraryFunction& operator=(const SpoolerLibraryFunction&) = delete;

    // The function as the caller's pointer type; null when the system's library lacks it.
    template <typename Function>
    Function As() const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address_));
    }

private:
    HMODULE library_ = nullptr;
    FARPROC address_ = nullptr;
};
