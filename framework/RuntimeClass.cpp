#include "framework/RuntimeClass.h"

#include <cstring>

namespace {
struct Entry {
    const char* name;
    WndFactory factory;
};

// Registrations run during static initialisation, in any order of files. A zero-initialised table is
// in place before any of them and needs neither a constructor nor a first-use guard; the program
// registers a handful of classes.
constexpr int kMaxClasses = 16;
Entry table[kMaxClasses];
int registered = 0;

const Entry* Find(const char* name) {
    for (int i = 0; i < registered; ++i) {
        if (strcmp(table[i].name, name) == 0) return &table[i];
    }
    return nullptr;
}
}  // namespace

bool RegisterRuntimeClass(const char* name, WndFactory factory) {
    if (registered == kMaxClasses || Find(name) != nullptr) return false;
    table[registered++] = {name, factory};
    return true;
}

CWnd* CreateObjectByName(const char* name) {
    const Entry* entry = Find(name);
    return entry ? entry->factory() : nullptr;
}
