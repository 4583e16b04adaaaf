/* The fixture print processor: a DLL with the four entry points the spooler calls when a job prints
   through a processor. It accepts RAW data and hands every job on unchanged. */
#include <windows.h>
#include <winspool.h>

typedef struct {
    HANDLE printer;
} ProcessorHandle;

BOOL WINAPI EnumPrintProcessorDatatypesW(LPWSTR name, LPWSTR processor, DWORD level, LPBYTE buffer,
                                         DWORD size, LPDWORD needed, LPDWORD returned) {
    static WCHAR raw[] = L"RAW";
    (void)name;
    (void)processor;
    *needed = sizeof(DATATYPES_INFO_1W) + sizeof raw;
    *returned = 0;
    if (level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    if (buffer == NULL || size < *needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    DATATYPES_INFO_1W* info = (DATATYPES_INFO_1W*)buffer;
    WCHAR* text = (WCHAR*)(buffer + sizeof(DATATYPES_INFO_1W));
    memcpy(text, raw, sizeof raw);
    info->pName = text;
    *returned = 1;
    return TRUE;
}

HANDLE WINAPI OpenPrintProcessor(LPWSTR printerName, void* open) {
    (void)printerName;
    (void)open;
    ProcessorHandle* handle = (ProcessorHandle*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *handle);
    return handle ? (HANDLE)handle : NULL;
}

BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE processor, LPWSTR documentName) {
    (void)documentName;
    return processor != NULL;
}

BOOL WINAPI ClosePrintProcessor(HANDLE processor) {
    return processor != NULL && HeapFree(GetProcessHeap(), 0, processor);
}

BOOL WINAPI ControlPrintProcessor(HANDLE processor, DWORD command) {
    (void)command;
    return processor != NULL;
}
