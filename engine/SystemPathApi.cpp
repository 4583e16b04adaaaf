#include "engine/SystemPathApi.h"

namespace {
// Built while the program starts, before any thread of its own (see SpoolerApi.cpp).
SystemPathApi api = {GetSystemDirectoryA, GetWindowsDirectoryA};
}  // namespace

SystemPathApi& SystemPaths() {
    return api;
}
