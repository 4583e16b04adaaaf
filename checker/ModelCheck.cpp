#include "checker/ModelCheck.h"

#include <cstring>

#include "checker/CheckerTextIds.h"
#include "checker/DescriptorCheck.h"
#include "checker/MediumFiles.h"
#include "choices/InstallChoices.h"
#include "common/BoundedText.h"
#include "common/ResourceText.h"
#include "config/BaudRatePreset.h"
#include "config/ConfigValues.h"

namespace {
struct ModelContext {
    const CheckedModel& model;
    char file[kMediumPathSize];      // the category file as reported
    char filePath[kMediumPathSize];  // its full path in the medium
    Findings& findings;
};

int PortValue(const ModelContext& context, const char* key) {
    return ReadPortSectionValue(context.filePath, context.model.name, key);
}

// textId: which name does not fit.
void ReportLongName(const ModelContext& context, UINT textId) {
    char key[32];
    FormatText(key, sizeof key, "DEVICENAME%d", context.model.entry);
    context.findings.Error(kCommonFileName, "DEVICENAME", key, textId);
}

// Every name the wizard builds from the model must fit its buffer, or it is cut and names another
// section or port. The catalogue's 200-byte read keeps today's names short enough (a longer entry
// loses its suffix and is reported as such); these checks hold the buffers to that. Returns false when
// the port section's name does not fit.
bool CheckNameLengths(const ModelContext& context, bool usb) {
    const char* name = context.model.name;
    char section[200];
    bool portSectionFits = FormatText(section, sizeof section, "%s.PORT", name);
    if (!portSectionFits) ReportLongName(context, IDS_CHECKER_PORT_SECTION_TOO_LONG);
    if (!FormatText(section, sizeof section, "%s.Vista", name))
        ReportLongName(context, IDS_CHECKER_VISTA_SECTION_TOO_LONG);
    char printerName[200];
    if (!FormatText(printerName, sizeof printerName, "%s(U) 4", name))
        ReportLongName(context, IDS_CHECKER_PRINTER_NAME_TOO_LONG);
    char portName[kPortNameSize];
    if (usb && !FormatText(portName, sizeof portName, "USB_%s_4", name))
        ReportLongName(context, IDS_CHECKER_USB_PORT_NAME_TOO_LONG);
    return portSectionFits;
}

// The port page offers a fixed list; any other value shows "38400".
void CheckBaudRate(const ModelContext& context, const char* section) {
    int baudRate = PortValue(context, "BaudRate");
    if (OfferedBaudRate(BaudRatePresetIndex(baudRate)) == baudRate) return;
    char text[200];
    if (baudRate == 0) {
        LoadResourceText(IDS_CHECKER_BAUD_RATE_MISSING, text);
    } else {
        FormatResourceText(text, IDS_CHECKER_BAUD_RATE_NOT_OFFERED, baudRate);
    }
    context.findings.Warning(context.file, section, "BaudRate", text);
}

// Without its port section a model reads every flag as 0.
void CheckPortSection(const ModelContext& context, const char* portSection) {
    if (!SectionExists(context.file, portSection)) {
        context.findings.Error(context.file, portSection, nullptr, IDS_CHECKER_PORT_SECTION_MISSING);
        return;
    }
    CheckBaudRate(context, portSection);
}

// Windows 98/Me to XP accept every model; Server 2003 and Vista only those whose flag says so.
bool ClaimsSystem(const ModelContext& context, int targetSystem) {
    if (targetSystem == WindowsServer2003) return PortValue(context, "System2003Supported") != 0;
    if (targetSystem == WindowsVista) return PortValue(context, "SystemVistaSupported") != 0;
    return true;
}

// A descriptor section the flag refuses is never used: usually a flag typed wrong.
void CheckUnclaimedSection(const ModelContext& context, int targetSystem, const char* portSection) {
    char section[200];
    BuildDescriptorSection(context.model.name, targetSystem, section);
    if (!SectionExists(context.file, section)) return;
    const char* key = targetSystem == WindowsServer2003 ? "System2003Supported" : "SystemVistaSupported";
    char text[300];
    FormatResourceText(text, IDS_CHECKER_UNCLAIMED_SECTION, section);
    context.findings.Warning(context.file, portSection, key, text);
}

// Certain Windows 98/Me drivers need the colour library beside them.
void CheckColourLibrary(const ModelContext& context) {
    const char* name = context.model.name;
    if (strstr(name, "KRP-B200") == nullptr && strstr(name, "KRP-A100") == nullptr) return;
    if (SystemFileExists(Windows98Me, "DMCOLOR.DLL")) return;
    char section[200];
    BuildDescriptorSection(name, Windows98Me, section);
    context.findings.Error(context.file, section, nullptr, IDS_CHECKER_COLOUR_LIBRARY_MISSING);
}

void NoteNeeds(int targetSystem, bool usb, SystemNeeds& needs) {
    needs.claimed[targetSystem] = true;
    // The serial ports of Windows 98/Me need no monitor; NT 4.0 is offered no USB port.
    if (targetSystem != Windows98Me) needs.comMonitor[targetSystem] = true;
    if (usb && targetSystem != WindowsNT4) needs.usbMonitor[targetSystem] = true;
}
}  // namespace

void CheckModel(SetupConfig& config, const CheckedModel& model, SystemNeeds& needs, Findings& findings) {
    ModelContext context = {model, {}, {}, findings};
    CategoryFileName(model.category, context.file);
    MediumPath(context.file, context.filePath);
    config.currentCategory = model.category;

    bool usb = PortValue(context, "USBSUPPORTED") != 0;
    char portSection[200];
    BuildPortSection(model.name, portSection);
    // A name that does not fit has been reported; the wizard would read a cut section name.
    if (CheckNameLengths(context, usb)) CheckPortSection(context, portSection);
    for (int system = Windows98Me; system <= WindowsVista; ++system) {
        if (!ClaimsSystem(context, system)) {
            CheckUnclaimedSection(context, system, portSection);
            continue;
        }
        NoteNeeds(system, usb, needs);
        CheckDescriptors(config, model, system, context.file, needs, findings);
        if (system == Windows98Me) CheckColourLibrary(context);
    }
}
