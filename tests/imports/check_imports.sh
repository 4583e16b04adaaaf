#!/usr/bin/env bash
# The programs that ship on the medium must load on Windows 98/Me and NT 4.0: they may import only from
# the system's own DLLs, and none of the functions below, which those systems lack (a later function
# such as SetDefaultPrinterA is looked up at run time instead). Usage: check_imports.sh EXE...
set -u
allowed_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|VERSION|WINSPOOL|msvcrt)\.(dll|DLL|DRV|drv)$'
late_functions='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|TryEnterCriticalSection|GetHandleInformation|InitCommonControlsEx|SetDefaultPrinterA|GetDefaultPrinterA|InitializeConditionVariable|InitializeSRWLock|GetFileSizeEx|SetFilePointerEx|GetModuleHandleExA|GetModuleHandleExW|CreateEventExA|FlsAlloc|InitOnceExecuteOnce)$'
status=0
for exe in "$@"; do
  imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n '/The Import Tables/,/^PE File Base\|^The Export/p' |
            awk '/DLL Name:/{dll=$3; next} dll != "" && NF>=3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print dll, $3}')
  [ -n "$imports" ] || { echo "$exe: no import table read"; status=1; continue; }
  while read -r dll function; do
    if ! [[ "$dll" =~ $allowed_dlls ]]; then echo "$exe imports from $dll"; status=1; fi
    if [[ "$function" =~ $late_functions ]]; then echo "$exe imports $dll!$function"; status=1; fi
  done <<<"$imports"
done
[ $status -eq 0 ] && echo "imports of $# programs: only functions every target system has"
exit $status
