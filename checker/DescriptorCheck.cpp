#include "checker/DescriptorCheck.h"

#include <cstring>

#include "checker/CheckerTextIds.h"
#include "checker/MediumFiles.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"
#include "engine/SpoolerOperations.h"

namespace {
// Indexed by the gdiDriver value the readers take.
const char* const kFamilyPrefixes[2] = {"STD", "GDI"};
// The shared base files a DDK-based driver lists among its dependent files on Windows 2000 and later.
const char* const kDdkBaseFiles[] = {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"};

struct FamilyContext {
    SetupConfig& config;
    const CheckedModel& model;
    int targetSystem;
    int gdiDriver;
    const char* file;
    const char* section;
    Findings& findings;
};

void FamilyKey(const FamilyContext& context, const char* suffix, char (&key)[64]) {
    FormatText(key, sizeof key, "%s%s", kFamilyPrefixes[context.gdiDriver], suffix);
}

// A required key that is missing reads as "0": the engine then registers the driver without that
// file, or under the name "0".
bool CheckRequired(const FamilyContext& context, const char* suffix, const char* value) {
    char key[64];
    FamilyKey(context, suffix, key);
    if (value[0] == '\0') {
        context.findings.Error(context.file, context.section, key, IDS_CHECKER_VALUE_EMPTY);
        return false;
    }
    if (value[0] == '0') {
        context.findings.Error(context.file, context.section, key, IDS_CHECKER_KEY_MISSING);
        return false;
    }
    return true;
}

// A named file must be a bare name and lie in the system's sub-directory, where the engine copies
// it from.
void CheckNamedFile(const FamilyContext& context, const char* suffix, const char* value) {
    if (!NamesFile(value)) return;
    char key[64];
    FamilyKey(context, suffix, key);
    char text[400];
    UINT fault = FileNameFault(value);
    if (fault != 0) {
        FormatResourceText(text, fault, value);
        context.findings.Error(context.file, context.section, key, text);
        return;
    }
    if (SystemFileExists(context.targetSystem, value)) return;
    char directory[16];
    SystemDirectoryName(context.targetSystem, directory);
    FormatResourceText(text, IDS_CHECKER_SYSTEM_FILE_MISSING, directory, value);
    context.findings.Error(context.file, context.section, key, text);
}

void CheckDriverName(const FamilyContext& context, const char* name) {
    if (IsAcceptedDriverName(name)) return;
    char key[64];
    FamilyKey(context, "DriverName", key);
    char text[300];
    FormatResourceText(text, IDS_CHECKER_REFUSED_DRIVER_NAME, name);
    context.findings.Error(context.file, context.section, key, text);
}

void CheckDriverFiles(const FamilyContext& context, const DriverFileList& files) {
    const struct {
        const char* suffix;
        const char* value;
    } required[] =
        {
            {"DriverPath", files.driverPath},
            {"DataFile", files.dataFile},
            {"ConfigFile", files.configFile},
            {"HelpFile", files.helpFile},
        },
      optional[] = {
          {"DataFileDLLName", files.dataFileDll},
          {"DataOemuiDLL", files.dataOemuiDll},
          {"DataOemuniDLL", files.dataOemuniDll},
          {"DataOemuniini", files.dataOemuniIni},
      };
    for (const auto& entry : required) {
        if (CheckRequired(context, entry.suffix, entry.value))
            CheckNamedFile(context, entry.suffix, entry.value);
    }
    for (const auto& entry : optional) CheckNamedFile(context, entry.suffix, entry.value);
}

// The engine leaves the system's own processor alone only when it is named exactly "WinPrint"; any
// other processor is installed from ProcessorDLLName when the system lacks it.
void CheckProcessor(const FamilyContext& context, const char* processor, const char* processorDll,
                    SystemNeeds& needs) {
    if (!CheckRequired(context, "PrintProcessor", processor)) return;
    if (strcmp(processor, "WinPrint") == 0) return;
    if (_stricmp(processor, "WinPrint") == 0) {
        char key[64];
        FamilyKey(context, "PrintProcessor", key);
        context.findings.Error(context.file, context.section, key, IDS_CHECKER_PROCESSOR_SPELLING);
        return;
    }
    needs.processor = true;
    if (CheckRequired(context, "ProcessorDLLName", processorDll))
        CheckNamedFile(context, "ProcessorDLLName", processorDll);
}

// A driver built on the shared driver base needs its additional file (the engine refuses it
// otherwise) and, from Windows 2000 on, the base files, which the engine copies without complaint
// when they are absent.
void CheckDdkFiles(const FamilyContext& context, const DriverFileList& files) {
    const char* name = context.model.name;
    if (!context.config.IsDdkDriver(name, context.targetSystem, context.gdiDriver)) return;
    char key[64];
    char text[200];
    if (!NamesFile(files.dataFileDll)) {
        FamilyKey(context, "DataFileDLLName", key);
        FormatResourceText(text, IDS_CHECKER_DDK_NO_FILE, kFamilyPrefixes[context.gdiDriver]);
        context.findings.Error(context.file, context.section, key, text);
    }
    if (context.targetSystem < Windows2000) return;
    FamilyKey(context, "2KDDKDEV", key);
    char directory[16];
    SystemDirectoryName(context.targetSystem, directory);
    for (const char* base : kDdkBaseFiles) {
        if (SystemFileExists(context.targetSystem, base)) continue;
        FormatResourceText(text, IDS_CHECKER_DDK_BASE_MISSING, directory, base);
        context.findings.Warning(context.file, context.section, key, text);
    }
}

void CheckFamily(const FamilyContext& context, SystemNeeds& needs) {
    SetupConfig& config = context.config;
    const char* name = context.model.name;
    DriverFileList files = {};
    DRIVER_INFO_3A driver = {};
    PRINTER_INFO_2A printer = {};
    config.ReadDriverFiles(name, context.targetSystem, files, context.gdiDriver);
    config.ReadDriverInfo(name, context.targetSystem, driver, context.gdiDriver);
    config.ReadPrinterInfo(name, context.targetSystem, printer, context.gdiDriver);
    if (CheckRequired(context, "DriverName", driver.pName)) CheckDriverName(context, driver.pName);
    CheckDriverFiles(context, files);
    CheckProcessor(context, printer.pPrintProcessor, files.processorDll, needs);
    CheckDdkFiles(context, files);
}
}  // namespace

void CheckDescriptors(SetupConfig& config, const CheckedModel& model, int targetSystem, const char* file,
                      SystemNeeds& needs, Findings& findings) {
    char section[200];
    BuildDescriptorSection(model.name, targetSystem, section);
    if (!SectionExists(file, section)) {
        findings.Error(file, section, nullptr, IDS_CHECKER_DESCRIPTOR_SECTION_MISSING);
        return;
    }
    for (int gdiDriver = 0; gdiDriver <= 1; ++gdiDriver) {
        FamilyContext context = {config, model, targetSystem, gdiDriver, file, section, findings};
        CheckFamily(context, needs);
    }
}
