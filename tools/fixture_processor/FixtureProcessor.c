/* The fixture print processor: a DLL with the four entry points the spooler calls when a job prints
   through a processor. It stands in for the maker's processor on the demo medium and in tests and does
   what Windows' own processor does with RAW data: it opens the printer's port ("<port>, Port") when the
   job is opened, reads the job back from the spooler ("<printer>, Job N") and writes it to the port
   unchanged, so the port's monitor receives every byte. A port that refuses the job fails the job. */
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

typedef struct {
    HANDLE port;
    WCHAR document[MAX_PATH];
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

HANDLE WINAPI OpenPrintProcessor(LPWSTR portName, PRINTPROCESSOROPENDATA* open) {
    ProcessorHandle* handle = (ProcessorHandle*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *handle);
    if (handle == NULL) return NULL;
    if (portName == NULL || !OpenPrinterW(portName, &handle->port, NULL)) {
        HeapFree(GetProcessHeap(), 0, handle);
        return NULL;
    }
    if (open != NULL && open->pDocumentName != NULL)
        lstrcpynW(handle->document, open->pDocumentName, MAX_PATH);
    return (HANDLE)handle;
}

/* Copies the job to the port; false with the spooler's or the port's error when a step fails. */
static BOOL CopyJob(HANDLE job, HANDLE port) {
    BYTE buffer[4096];
    DWORD read = 0;
    while (ReadPrinter(job, buffer, sizeof buffer, &read) && read != 0) {
        DWORD written = 0;
        if (!WritePrinter(port, buffer, read, &written) || written != read) return FALSE;
    }
    return TRUE;
}

BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE processor, LPWSTR jobName) {
    ProcessorHandle* handle = (ProcessorHandle*)processor;
    HANDLE job = NULL;
    if (handle == NULL || jobName == NULL || !OpenPrinterW(jobName, &job, NULL)) return FALSE;
    DOC_INFO_1W info = {handle->document, NULL, (LPWSTR)L"RAW"};
    if (!StartDocPrinterW(handle->port, 1, (LPBYTE)&info)) {
        DWORD error = GetLastError();
        ClosePrinter(job);
        SetLastError(error);
        return FALSE;
    }
    BOOL copied = CopyJob(job, handle->port);
    DWORD error = GetLastError();
    ClosePrinter(job);
    BOOL ended = EndDocPrinter(handle->port);
    if (!copied) SetLastError(error);
    return copied && ended;
}

BOOL WINAPI ClosePrintProcessor(HANDLE processor) {
    ProcessorHandle* handle = (ProcessorHandle*)processor;
    if (handle == NULL) return FALSE;
    ClosePrinter(handle->port);
    return HeapFree(GetProcessHeap(), 0, handle);
}

BOOL WINAPI ControlPrintProcessor(HANDLE processor, DWORD command) {
    (void)command;
    return processor != NULL;
}
