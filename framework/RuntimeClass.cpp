#include "framework/RuntimeClass.h"

#include <cstring>
#include <vector>

namespace {
struct Entry {
    const char* name;
    WndFactory factory;
};

// A function-local table: registrations run during static initialisation, in any order of files.
std::vector<Entry>& Table() {
    static std::vector<Entry> table;
    return table;
}
}  // namespace

bool RegisterRuntimeClass(const char* name, WndFactory factory) {
    for (const Entry& entry : Table()) {
        if (strcmp(entry.name, name) == 0) return false;
    }
    Table().push_back({name, factory});
    return true;
}

CWnd* CreateObjectByName(const char* name) {
    for (const Entry& entry : Table()) {
        if (strcmp(entry.name, name) == 0) return entry.factory();
    }
    return nullptr;
}
