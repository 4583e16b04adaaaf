#include "checker/ModelCheck.h"

#include <cstring>

#include "checker/DescriptorCheck.h"
#include "checker/MediumFiles.h"
#include "choices/InstallChoices.h"
#include "common/BoundedText.h"
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

void ReportLongName(const ModelContext& context, const char* what) {
    char key[32];
    FormatText(key, sizeof key, "DEVICENAME%d", context.model.entry);
    char text[300];
    FormatText(text, sizeof text, "型号名称过长：%s", what);
    context.findings.Error(kCommonFileName, "DEVICENAME", key, text);
}

// Every name the wizard builds from the model must fit its buffer, or it is cut and names another
// section or port. The catalogue's 200-byte read keeps today's names short enough (a longer entry
// loses its suffix and is reported as such); these checks hold the buffers to that. Returns false when
// the port section's name does not fit.
bool CheckNameLengths(const ModelContext& context, bool usb) {
    const char* name = context.model.name;
    char section[200];
    bool portSectionFits = FormatText(section, sizeof section, "%s.PORT", name);
    if (!portSectionFits) ReportLongName(context, "型号名加“.PORT”超出 200 字节的节名");
    if (!FormatText(section, sizeof section, "%s.Vista", name))
        ReportLongName(context, "型号名加“.Vista”超出 200 字节的节名");
    char printerName[200];
    if (!FormatText(printerName, sizeof printerName, "%s(U) 4", name))
        ReportLongName(context, "打印机名加端口后缀超出 200 字节");
    char portName[kPortNameSize];
    if (usb && !FormatText(portName, sizeof portName, "USB_%s_4", name))
        ReportLongName(context, "USB 端口名“USB_型号_4”超出端口名的缓冲区");
    return portSectionFits;
}

// The port page offers a fixed list; any other value shows "38400".
void CheckBaudRate(const ModelContext& context, const char* section) {
    int baudRate = PortValue(context, "BaudRate");
    if (OfferedBaudRate(BaudRatePresetIndex(baudRate)) == baudRate) return;
    char text[200];
    if (baudRate == 0) {
        CopyText(text, "缺少或为 0，端口页将显示 38400");
    } else {
        FormatText(text, sizeof text, "端口页的列表中没有 %d，将显示 38400", baudRate);
    }
    context.findings.Warning(context.file, section, "BaudRate", text);
}

// Without its port section a model reads every flag as 0.
void CheckPortSection(const ModelContext& context, const char* portSection) {
    if (!SectionExists(context.file, portSection)) {
        context.findings.Error(context.file, portSection, nullptr,
                               "节不存在：向导不提供 USB 端口和高级安装，并拒绝 Server 2003 和 Vista");
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
    FormatText(text, sizeof text, "为 0，向导拒绝该系统，但节 [%s] 存在", section);
    context.findings.Warning(context.file, portSection, key, text);
}

// Certain Windows 98/Me drivers need the colour library beside them.
void CheckColourLibrary(const ModelContext& context) {
    const char* name = context.model.name;
    if (strstr(name, "KRP-B200") == nullptr && strstr(name, "KRP-A100") == nullptr) return;
    if (SystemFileExists(Windows98Me, "DMCOLOR.DLL")) return;
    char section[200];
    BuildDescriptorSection(name, Windows98Me, section);
    context.findings.Error(context.file, section, nullptr,
                           "该型号在 Windows 98/Me 上需要 win98\\DMCOLOR.DLL，介质上没有");
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
