#include "checker/CatalogueCheck.h"

#include <cstring>

#include "checker/CheckerTextIds.h"
#include "checker/MediumFiles.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"
#include "engine/SpoolerOperations.h"

namespace {
const char kSection[] = "DEVICENAME";

// A model listed twice: section names are matched without regard to case, so two spellings of one
// name share their port and descriptor sections.
const CheckedModel* FindDuplicate(const std::vector<CheckedModel>& models, const char* name) {
    for (const CheckedModel& model : models) {
        if (_stricmp(model.name, name) == 0) return &model;
    }
    return nullptr;
}

// Entries first to last are missing: one line for the whole run.
void ReportMissingEntries(int first, int last, Findings& findings) {
    char key[64];
    char text[200];
    if (first == last) {
        FormatText(key, sizeof key, "DEVICENAME%d", first);
        FormatResourceText(text, IDS_CHECKER_ENTRY_MISSING, first);
    } else {
        FormatResourceText(key, IDS_CHECKER_ENTRY_RANGE, first, last);
        FormatResourceText(text, IDS_CHECKER_ENTRIES_MISSING, first, last);
    }
    findings.Error(kCommonFileName, kSection, key, text);
}

// One entry: left out by the printer page when it has no known suffix. Returns false when the entry
// is missing altogether, which the caller reports together with the missing entries around it.
bool CheckEntry(SetupConfig& config, int entry, std::vector<CheckedModel>& models, Findings& findings) {
    char key[32];
    FormatText(key, sizeof key, "DEVICENAME%d", entry);
    CheckedModel model = {};
    model.entry = entry;
    model.category = config.GetDeviceName(entry, model.name);
    char text[400];
    if (model.category < 0) {
        if (strcmp(model.name, "0") == 0) return false;
        FormatResourceText(text, IDS_CHECKER_NO_CATEGORY_SUFFIX, model.name);
        findings.Error(kCommonFileName, kSection, key, text);
        return true;
    }
    if (model.name[0] == '\0') {
        findings.Error(kCommonFileName, kSection, key, IDS_CHECKER_EMPTY_MODEL_NAME);
        return true;
    }
    if (!IsAcceptedPrinterName(model.name)) {
        FormatResourceText(text, IDS_CHECKER_REFUSED_PRINTER_NAME, model.name);
        findings.Error(kCommonFileName, kSection, key, text);
        return true;
    }
    const CheckedModel* earlier = FindDuplicate(models, model.name);
    if (earlier != nullptr) {
        FormatResourceText(text, IDS_CHECKER_DUPLICATE_MODEL, model.name, earlier->entry);
        findings.Error(kCommonFileName, kSection, key, text);
        return true;
    }
    models.push_back(model);
    return true;
}

// The entries the printer page reads, each checked, the missing ones reported as runs.
void CheckEntries(SetupConfig& config, int entries, std::vector<CheckedModel>& models, Findings& findings) {
    int missingFrom = 0;
    for (int entry = 1; entry <= entries; ++entry) {
        bool present = CheckEntry(config, entry, models, findings);
        if (!present && missingFrom == 0) missingFrom = entry;
        if (present && missingFrom != 0) {
            ReportMissingEntries(missingFrom, entry - 1, findings);
            missingFrom = 0;
        }
    }
    if (missingFrom != 0) ReportMissingEntries(missingFrom, entries, findings);
}

void CheckDefaultEntry(SetupConfig& config, int count, Findings& findings) {
    char name[260];
    if (config.GetDefaultDevice(name) >= 0) return;
    char path[kMediumPathSize];
    MediumPath(kCommonFileName, path);
    int entry = ReadSectionValue(path, kSection, "DEFAULTNAME");
    char text[200];
    FormatResourceText(text, IDS_CHECKER_BAD_DEFAULT_ENTRY, entry, count);
    findings.Warning(kCommonFileName, kSection, "DEFAULTNAME", text);
}

// An entry after the last one counted is never read.
void CheckEntriesBeyondCount(SetupConfig& config, int count, Findings& findings) {
    char name[200];
    config.GetDeviceName(count + 1, name);
    if (strcmp(name, "0") == 0) return;
    char key[32];
    FormatText(key, sizeof key, "DEVICENAME%d", count + 1);
    char text[200];
    FormatResourceText(text, IDS_CHECKER_ENTRY_BEYOND_COUNT, count);
    findings.Warning(kCommonFileName, kSection, key, text);
}
}  // namespace

std::vector<CheckedModel> CheckCatalogue(SetupConfig& config, Findings& findings) {
    std::vector<CheckedModel> models;
    if (!MediumFileExists(kCommonFileName)) {
        findings.Error(kCommonFileName, nullptr, nullptr, IDS_CHECKER_FILE_MISSING);
        return models;
    }
    int count = config.GetDeviceCount();
    if (count <= 0) {
        findings.Error(kCommonFileName, kSection, "DEVICENUMBER", IDS_CHECKER_NO_DEVICE_COUNT);
        return models;
    }
    int entries = CatalogueEntriesToRead(count);
    if (count > entries) {
        char text[200];
        FormatResourceText(text, IDS_CHECKER_COUNT_OVER_LIMIT, count, kCatalogueEntryLimit, entries);
        findings.Error(kCommonFileName, kSection, "DEVICENUMBER", text);
    }
    CheckEntries(config, entries, models, findings);
    CheckDefaultEntry(config, entries, findings);
    if (count == entries) CheckEntriesBeyondCount(config, count, findings);
    return models;
}
