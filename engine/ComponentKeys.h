#pragma once
// The registry keys under which the spooler keeps the port monitors and print processors, and where
// the installation records each component's "DriverVersion".

#include <cstddef>

constexpr size_t kComponentKeyPathSize = 256;

// "SYSTEM\CurrentControlSet\Control\Print\Monitors\" + monitor name.
void MonitorKeyPath(const char* monitorName, char (&path)[kComponentKeyPathSize]);

// The processor's key in the environment of targetSystem ("Windows 4.0" for Windows 98/Me,
// "Windows NT x86" otherwise).
void ProcessorKeyPath(int targetSystem, const char* processorName, char (&path)[kComponentKeyPathSize]);

// The spooler environment the engine registers print processors in and removes them from: "Windows
// 4.0" for Windows 98/Me, null (the running system's own) otherwise.
char* ComponentEnvironment(int targetSystem);

// A copy result that says the destination file is in use.
inline bool IsInUse(int copyResult) {
    return copyResult == 32 || copyResult == 5;
}
