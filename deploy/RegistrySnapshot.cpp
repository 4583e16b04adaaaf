#include "deploy/RegistrySnapshot.h"

#include <cstdlib>
#include <map>
#include <set>

#include "common/FileNames.h"
#include "deploy/JournalLines.h"

namespace {
struct SavedValue {
    DWORD type;
    std::string data;
};

// The registry compares names without regard to case; a saved name keeps the case it was read in.
struct NoCase {
    bool operator()(const std::string& one, const std::string& other) const {
        return lstrcmpiA(one.c_str(), other.c_str()) < 0;
    }
};
typedef std::map<std::string, SavedValue, NoCase> SavedValues;

// A key's saved contents, keyed by the sub-key path below the snapshot's key ("" for the key itself).
struct SavedTree {
    KeySnapshot key;
    bool present = false;
    std::map<std::string, SavedValues, NoCase> keys;
};

std::string RootName(HKEY root) {
    return root == HKEY_CURRENT_USER ? "HKCU" : "HKLM";
}

HKEY RootOf(const std::string& name) {
    return name == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string Joined(const std::string& path, const std::string& sub) {
    return sub.empty() ? path : path + "\\" + sub;
}

bool ReadValues(HKEY key, SavedValues& values) {
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::string name(longestName + 2, '\0');
    std::string data(longestData + 2, '\0');
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, index, &name[0], &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(&data[0]), &dataLength) != ERROR_SUCCESS)
            return false;
        values[name.substr(0, nameLength)] = {type, data.substr(0, dataLength)};
    }
    return true;
}

std::vector<std::string> SubKeys(HKEY key) {
    std::vector<std::string> names;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(std::string(name, length));
    }
    return names;
}

bool SaveSubTree(const KeySnapshot& snapshot, const std::string& sub, std::vector<std::string>& lines) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(snapshot.root, Joined(snapshot.path, sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    SavedValues values;
    bool read = ReadValues(key, values);
    std::vector<std::string> subKeys = SubKeys(key);
    RegCloseKey(key);
    if (!read) return false;
    lines.push_back(JournalLineOf("k", {sub}));
    for (const auto& value : values)
        lines.push_back(
            JournalLineOf("v", {sub, value.first, std::to_string(value.second.type), value.second.data}));
    for (const std::string& name : subKeys) {
        if (sub.empty() && !snapshot.excluded.empty() && SameText(name, snapshot.excluded)) continue;
        if (!SaveSubTree(snapshot, Joined(sub, name), lines)) return false;
    }
    return true;
}

// Deletes path and everything below it (RegDeleteKey on the NT family takes no sub-keys).
bool DeleteTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
    std::vector<std::string> subKeys = SubKeys(key);
    RegCloseKey(key);
    bool done = true;
    for (const std::string& name : subKeys) done = DeleteTree(root, path + "\\" + name) && done;
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS && done;
}

std::vector<SavedTree> ParseTrees(const std::vector<std::string>& lines) {
    std::vector<SavedTree> trees;
    for (const std::string& text : lines) {
        JournalLine line;
        if (!ReadJournalLine(text, line)) continue;
        if (line.tag == "K" && line.fields.size() == 3) {
            SavedTree tree;
            tree.key = {RootOf(line.fields[0]), line.fields[1], line.fields[2]};
            trees.push_back(tree);
        } else if (trees.empty()) {
            continue;
        } else if (line.tag == "k" && line.fields.size() == 1) {
            trees.back().present = true;
            trees.back().keys[line.fields[0]];
        } else if (line.tag == "v" && line.fields.size() == 4) {
            DWORD type = static_cast<DWORD>(strtoul(line.fields[2].c_str(), nullptr, 10));
            trees.back().keys[line.fields[0]][line.fields[1]] = {type, line.fields[3]};
        }
    }
    return trees;
}

class TreeRestorer {
public:
    TreeRestorer(const SavedTree& tree, std::vector<std::string>& failures)
        : tree_(tree), failures_(failures) {}

    void Restore() {
        if (!tree_.present) {
            RemoveAllBut(tree_.key.path, "");
            return;
        }
        RestoreKey("");
    }

private:
    std::string Place(const std::string& sub) const {
        return RootName(tree_.key.root) + "\\" + Joined(tree_.key.path, sub);
    }

    // A key that was not there goes whole, unless it holds the excluded sub-key, which stays.
    void RemoveAllBut(const std::string& path, const std::string& sub) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(tree_.key.root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        std::vector<std::string> subKeys = SubKeys(key);
        RegCloseKey(key);
        bool keepsExcluded = false;
        for (const std::string& name : subKeys) {
            if (sub.empty() && !tree_.key.excluded.empty() && SameText(name, tree_.key.excluded)) {
                keepsExcluded = true;
                continue;
            }
            if (!DeleteTree(tree_.key.root, path + "\\" + name))
                failures_.push_back(Place(Joined(sub, name)));
        }
        if (keepsExcluded) {
            RestoreValues(path, sub, {});
        } else if (!DeleteTree(tree_.key.root, path)) {
            failures_.push_back(Place(sub));
        }
    }

    void RestoreValues(const std::string& path, const std::string& sub, const SavedValues& saved) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(tree_.key.root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            failures_.push_back(Place(sub));
            return;
        }
        SavedValues now;
        ReadValues(key, now);
        for (const auto& value : now) {
            if (saved.count(value.first) == 0 && RegDeleteValueA(key, value.first.c_str()) != ERROR_SUCCESS)
                failures_.push_back(Place(sub) + "\\" + value.first);
        }
        for (const auto& value : saved) {
            auto current = now.find(value.first);
            if (current != now.end() && current->second.type == value.second.type &&
                current->second.data == value.second.data)
                continue;
            if (RegSetValueExA(key, value.first.c_str(), 0, value.second.type,
                               reinterpret_cast<const BYTE*>(value.second.data.data()),
                               static_cast<DWORD>(value.second.data.size())) != ERROR_SUCCESS)
                failures_.push_back(Place(sub) + "\\" + value.first);
        }
        RegCloseKey(key);
    }

    void RestoreKey(const std::string& sub) {
        std::string path = Joined(tree_.key.path, sub);
        auto saved = tree_.keys.find(sub);
        RestoreValues(path, sub, saved->second);
        HKEY key = nullptr;
        if (RegOpenKeyExA(tree_.key.root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        std::vector<std::string> subKeys = SubKeys(key);
        RegCloseKey(key);
        std::set<std::string, NoCase> present;
        for (const std::string& name : subKeys) {
            if (sub.empty() && !tree_.key.excluded.empty() && SameText(name, tree_.key.excluded)) continue;
            std::string child = Joined(sub, name);
            present.insert(child);
            if (tree_.keys.count(child) == 0) {
                if (!DeleteTree(tree_.key.root, path + "\\" + name)) failures_.push_back(Place(child));
            } else {
                RestoreKey(child);
            }
        }
        // Keys the run deleted come back; a saved key's parent is always saved before it.
        for (const auto& each : tree_.keys) {
            const std::string& child = each.first;
            if (child.empty() || present.count(child) != 0) continue;
            size_t slash = child.rfind('\\');
            std::string parent = slash == std::string::npos ? std::string() : child.substr(0, slash);
            if (SameText(parent, sub)) RestoreKey(child);
        }
    }

    const SavedTree& tree_;
    std::vector<std::string>& failures_;
};
}  // namespace

bool SaveKeyTree(const KeySnapshot& key, std::vector<std::string>& lines) {
    lines.push_back(JournalLineOf("K", {RootName(key.root), key.path, key.excluded}));
    HKEY probe = nullptr;
    LONG opened = RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_READ, &probe);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    RegCloseKey(probe);
    return SaveSubTree(key, "", lines);
}

void RestoreKeyTrees(const std::vector<std::string>& lines, const std::vector<KeySnapshot>& allowed,
                     std::vector<std::string>& failures) {
    for (const SavedTree& tree : ParseTrees(lines)) {
        for (const KeySnapshot& key : allowed) {
            if (key.root == tree.key.root && SameText(key.path, tree.key.path) &&
                SameText(key.excluded, tree.key.excluded)) {
                TreeRestorer(tree, failures).Restore();
                break;
            }
        }
    }
}
