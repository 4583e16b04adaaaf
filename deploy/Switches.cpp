#include "deploy/Switches.h"

#include <windows.h>

#include <cstring>

Switches::Switches(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        const char* word = argv[index];
        if (word[0] != '/' && word[0] != '-') {
            if (command_.empty())
                command_ = word;
            else
                strays_.push_back(word);
            continue;
        }
        const char* colon = strchr(word + 1, ':');
        Switch entry;
        entry.typed = word;
        entry.name = colon != nullptr ? std::string(word + 1, colon) : std::string(word + 1);
        entry.hasValue = colon != nullptr;
        entry.value = colon != nullptr ? colon + 1 : "";
        switches_.push_back(entry);
    }
}

const Switches::Switch* Switches::Find(const char* name) const {
    for (const Switch& entry : switches_) {
        if (lstrcmpiA(entry.name.c_str(), name) == 0) return &entry;
    }
    return nullptr;
}

bool Switches::Has(const char* name) const {
    return Find(name) != nullptr;
}

const char* Switches::Value(const char* name) const {
    const Switch* entry = Find(name);
    return entry != nullptr && entry->hasValue ? entry->value.c_str() : nullptr;
}
