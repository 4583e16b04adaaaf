/* A port monitor that stands in for the maker's serial-port and USB-port monitors in tests and on the
   demo medium, as a simulated printer: it serves its ports with the five port functions (OpenPort,
   StartDocPort, WritePort, EndDocPort, ClosePort) and appends each job's bytes to a file per port in the
   folder "QelvanPorts" of the Windows directory ("TVCOM1:" writes QelvanPorts\TVCOM1.prn). A marker file
   beside it (QelvanPorts\TVCOM1.fail) makes the port refuse the start of every job with ERROR_NOT_READY, as a
   printer that is switched off would.

   Loaded as a USB monitor (a file name with "usb" in it) it serves the USB ports the installation
   named under HKLM\SOFTWARE\TALVERN\PORTNAME; otherwise the serial ports TVCOM1: to TVCOM8:.
   Windows asks a monitor's EnumPorts which ports it serves; Wine's spooler instead routes a port to the
   monitor whose registry key holds a "Ports\<port>" subkey, so the monitor keeps those subkeys too. */
#include <windows.h>
#include <winsplp.h>

#define PORT_NAME_SIZE 64
#define MAX_PORTS 32
#define SERIAL_PORTS 8

typedef struct {
    WCHAR name[PORT_NAME_SIZE];
    HANDLE file;
} Port;

static HINSTANCE module;
static HKEY ownKey;

static WCHAR ports[MAX_PORTS][PORT_NAME_SIZE];
static DWORD portCount;

static BOOL ServesUsb(void) {
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    CharLowerW(path);
    const WCHAR* name = wcsrchr(path, L'\\');
    return wcsstr(name != NULL ? name : path, L"usb") != NULL;
}

static void AddPortName(const WCHAR* name) {
    if (portCount >= MAX_PORTS || name[0] == 0 || lstrlenW(name) >= PORT_NAME_SIZE) return;
    lstrcpynW(ports[portCount++], name, PORT_NAME_SIZE);
}

/* The ports served now: the recorded USB ports may have grown since the monitor was loaded. */
static void ReadPorts(void) {
    portCount = 0;
    if (!ServesUsb()) {
        for (int number = 1; number <= SERIAL_PORTS; ++number) {
            WCHAR name[PORT_NAME_SIZE];
            wsprintfW(name, L"TVCOM%d:", number);
            AddPortName(name);
        }
        return;
    }
    HKEY recorded = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TALVERN\\PORTNAME", 0, KEY_READ, &recorded) != 0)
        return;
    for (DWORD index = 0;; ++index) {
        WCHAR name[PORT_NAME_SIZE];
        DWORD length = PORT_NAME_SIZE;
        LONG result = RegEnumValueW(recorded, index, name, &length, NULL, NULL, NULL, NULL);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) break;
        AddPortName(name);
    }
    RegCloseKey(recorded);
}

static void KeepPortKeys(void) {
    ReadPorts();
    if (ownKey == NULL) return;
    for (DWORD index = 0; index < portCount; ++index) {
        WCHAR path[PORT_NAME_SIZE + 8];
        HKEY key = NULL;
        wsprintfW(path, L"Ports\\%s", ports[index]);
        if (RegCreateKeyExW(ownKey, path, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
}

/* QelvanPorts\<port without ":" and without characters a file name cannot hold><extension>. */
static BOOL PortFile(const WCHAR* port, const WCHAR* extension, WCHAR* path, BOOL makeFolder) {
    UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 13 + PORT_NAME_SIZE + 6 >= MAX_PATH) return FALSE;
    lstrcatW(path, L"\\QelvanPorts");
    if (makeFolder) CreateDirectoryW(path, NULL);
    lstrcatW(path, L"\\");
    WCHAR* name = path + lstrlenW(path);
    for (const WCHAR* at = port; *at != 0 && at - port < PORT_NAME_SIZE; ++at) {
        if (*at == L':' && at[1] == 0) break;
        *name++ = wcschr(L"\\/:*?\"<>|", *at) != NULL ? L'_' : *at;
    }
    *name = 0;
    lstrcatW(path, extension);
    return TRUE;
}

static BOOL WINAPI ServeEnumPorts(HANDLE monitor, LPWSTR server, DWORD level, LPBYTE buffer, DWORD size,
                                  LPDWORD needed, LPDWORD returned) {
    (void)monitor;
    (void)server;
    static const WCHAR description[] = L"Qelvan simulated printer";
    if (level != 1 && level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    KeepPortKeys();
    DWORD entry = level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W);
    DWORD total = 0;
    for (DWORD index = 0; index < portCount; ++index) {
        total += entry + (lstrlenW(ports[index]) + 1) * sizeof(WCHAR);
        if (level == 2) total += sizeof description * 2;
    }
    *needed = total;
    *returned = 0;
    if (buffer == NULL || size < total) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    WCHAR* text = (WCHAR*)(buffer + entry * portCount);
    for (DWORD index = 0; index < portCount; ++index) {
        PORT_INFO_2W* info = (PORT_INFO_2W*)(buffer + entry * index);
        info->pPortName = text;
        lstrcpyW(text, ports[index]);
        text += lstrlenW(text) + 1;
        if (level == 2) {
            /* The description stands for the monitor's name too: both fit the space counted. */
            info->pMonitorName = text;
            lstrcpyW(text, description);
            text += lstrlenW(text) + 1;
            info->pDescription = text;
            lstrcpyW(text, description);
            text += lstrlenW(text) + 1;
            info->fPortType = PORT_TYPE_WRITE;
            info->Reserved = 0;
        }
    }
    *returned = portCount;
    return TRUE;
}

static BOOL WINAPI ServeOpenPort(HANDLE monitor, LPWSTR name, PHANDLE handle) {
    (void)monitor;
    if (name == NULL || handle == NULL || lstrlenW(name) >= PORT_NAME_SIZE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Port* port = (Port*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *port);
    if (port == NULL) return FALSE;
    lstrcpynW(port->name, name, PORT_NAME_SIZE);
    port->file = INVALID_HANDLE_VALUE;
    *handle = (HANDLE)port;
    return TRUE;
}

static BOOL WINAPI ServeStartDocPort(HANDLE handle, LPWSTR printer, DWORD job, DWORD level, LPBYTE info) {
    (void)printer;
    (void)job;
    (void)level;
    (void)info;
    Port* port = (Port*)handle;
    WCHAR path[MAX_PATH];
    if (port == NULL || !PortFile(port->name, L".fail", path, TRUE)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    PortFile(port->name, L".prn", path, FALSE);
    port->file =
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    return port->file != INVALID_HANDLE_VALUE;
}

static BOOL WINAPI ServeWritePort(HANDLE handle, LPBYTE buffer, DWORD size, LPDWORD written) {
    Port* port = (Port*)handle;
    *written = 0;
    if (port == NULL || port->file == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return WriteFile(port->file, buffer, size, written, NULL);
}

static BOOL WINAPI ServeEndDocPort(HANDLE handle) {
    Port* port = (Port*)handle;
    if (port == NULL || port->file == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    BOOL closed = CloseHandle(port->file);
    port->file = INVALID_HANDLE_VALUE;
    return closed;
}

static BOOL WINAPI ServeClosePort(HANDLE handle) {
    Port* port = (Port*)handle;
    if (port == NULL) return FALSE;
    if (port->file != INVALID_HANDLE_VALUE) CloseHandle(port->file);
    return HeapFree(GetProcessHeap(), 0, port);
}

static MONITOR2 monitor = {
    .cbSize = sizeof(MONITOR2),
    .pfnEnumPorts = ServeEnumPorts,
    .pfnOpenPort = ServeOpenPort,
    .pfnStartDocPort = ServeStartDocPort,
    .pfnWritePort = ServeWritePort,
    .pfnEndDocPort = ServeEndDocPort,
    .pfnClosePort = ServeClosePort,
};

__declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitorHandle) {
    /* Wine hands the monitor its registry key as a plain key, which it keeps for the port subkeys. */
    if (ownKey == NULL && init != NULL && init->hckRegistryRoot != NULL)
        RegOpenKeyExW((HKEY)init->hckRegistryRoot, NULL, 0, KEY_ALL_ACCESS, &ownKey);
    KeepPortKeys();
    if (monitorHandle) *monitorHandle = (HANDLE)&monitor;
    return &monitor;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) module = instance;
    if (reason == DLL_PROCESS_DETACH && ownKey != NULL) RegCloseKey(ownKey);
    return TRUE;
}
