#include "deploy/Switches.h"

#include <windows.h>

#include <cstring>

#include "deploy/DeployOutput.h"

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

std::string Switches::FirstUnknown(const char* const* allowed) const {
    if (!strays_.empty()) return strays_.front();
    for (const Switch& entry : switches_) {
        bool known = false;
        for (const char* const* name = allowed; *name != nullptr && !known; ++name) {
            known = lstrcmpiA(entry.name.c_str(), *name) == 0;
        }
        if (!known) return "/" + entry.name;
    }
    return "";
}

bool Switches::MissingValue(const char* const* valued, std::string& name) const {
    for (const char* const* each = valued; *each != nullptr; ++each) {
        const Switch* entry = Find(*each);
        if (entry != nullptr && (!entry->hasValue || entry->value.empty())) {
            name = "/" + entry->name;
            return true;
        }
    }
    return false;
}

bool SwitchesFit(const Switches& switches, const char* const* allowed, const char* required) {
    std::string unknown = switches.FirstUnknown(allowed);
    if (!unknown.empty()) {
        SayFormatted("%s：不认识的参数 %s", switches.Command().c_str(), unknown.c_str());
        return false;
    }
    if (required != nullptr && switches.Value(required) == nullptr) {
        SayFormatted("%s：缺少 /%s:值", switches.Command().c_str(), required);
        return false;
    }
    return true;
}
