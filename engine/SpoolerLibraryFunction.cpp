#include "engine/SpoolerLibraryFunction.h"

SpoolerLibraryFunction::SpoolerLibraryFunction(const char* name) {
    library_ = LoadLibraryA("winspool.drv");
    if (library_ != nullptr) address_ = GetProcAddress(library_, name);
}

SpoolerLibraryFunction::~SpoolerLibraryFunction() {
    if (library_ != nullptr) FreeLibrary(library_);
}
