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
