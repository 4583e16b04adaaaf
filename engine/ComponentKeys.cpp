#include "engine/ComponentKeys.h"

#include "common/BoundedText.h"
#include "common/SharedTypes.h"

void MonitorKeyPath(const char* monitorName, char (&path)[kComponentKeyPathSize]) {
    FormatText(path, sizeof path, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\%s", monitorName);
}

void ProcessorKeyPath(int targetSystem, const char* processorName, char (&path)[kComponentKeyPathSize]) {
    FormatText(path, sizeof path,
               "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\%s\\Print Processors\\%s",
               targetSystem == Windows98Me ? "Windows 4.0" : "Windows NT x86", processorName);
}

char* ComponentEnvironment(int targetSystem) {
    // The spooler's calls take the name as a writable text.
    static char windows4[] = "Windows 4.0";
    return targetSystem == Windows98Me ? windows4 : nullptr;
}
