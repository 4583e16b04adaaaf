/* A port monitor that the spooler accepts and that does nothing: it stands in for the maker's
   serial-port and USB-port monitors in tests and on the demo medium. The spooler only requires the
   entry point and a record that states its size; every operation is left out. */
#include <windows.h>
#include <winsplp.h>

static MONITOR2 monitor = {.cbSize = sizeof(MONITOR2)};

__declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitorHandle) {
    (void)init;
    if (monitorHandle) *monitorHandle = (HANDLE)&monitor;
    return &monitor;
}
