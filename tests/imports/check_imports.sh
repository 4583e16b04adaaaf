#!/usr/bin/env bash
# The programs that ship on the medium must load on Windows 98/Me and NT 4.0: they may import only from
# the system's own DLLs, and none of the functions below, which those systems lack (a later function
# such as SetDefaultPrinterA is looked up at run time instead), nor a wide-character function that
# Windows 98/Me only stub, unless a reason below says why the program never depends on it.
# Usage: check_imports.sh SYMBOLS_DIR EXE...   (the programs are stripped: their symbols are read from
# SYMBOLS_DIR/<program>.exe.debug)
set -u
symbols_dir="$1"
shift
allowed_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|VERSION|WINSPOOL|msvcrt)\.(dll|DLL|DRV|drv)$'
late_functions='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|TryEnterCriticalSection|GetHandleInformation|InitCommonControlsEx|SetDefaultPrinterA|GetDefaultPrinterA|InitializeConditionVariable|InitializeSRWLock|GetFileSizeEx|SetFilePointerEx|GetModuleHandleExA|GetModuleHandleExW|CreateEventExA|FlsAlloc|InitOnceExecuteOnce)$'
# Windows 98/Me export nearly every wide-character function ("...W") only as a stub that fails; these
# few work there.
working_wide='^(lstrlenW|MessageBoxW|MessageBoxExW|TextOutW|ExtTextOutW|GetTextExtentPointW|GetTextExtentPoint32W|GetCharWidthW|GetCommandLineW|FindResourceW|FindResourceExW|EnumResourceNamesW|EnumResourceTypesW|EnumResourceLanguagesW)$'
# Any other wide function is allowed only with the reason why the programs never depend on it.
declare -A stub_reasons=(
  [CreateSemaphoreW]="the win32 thread model's runtime locks create their semaphore with it, but a lock only waits on it when contended, and none is: frames are registered before any thread, the shipped programs build with -fno-threadsafe-statics and set up every function-local table before the engine thread"
  [GetModuleHandleW]="the start-up code asks for a shared libgcc DLL; the programs link libgcc statically, so the stub's null answer leads to the built-in frame registration they use anyway"
  [LoadLibraryW]="called by the same start-up code only when GetModuleHandleW found the shared libgcc DLL, which the stub never reports"
)
status=0
for exe in "$@"; do
  imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n '/The Import Tables/,/^PE File Base\|^The Export/p' |
            awk '/DLL Name:/{dll=$3; next} dll != "" && NF>=3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print dll, $3}')
  [ -n "$imports" ] || { echo "$exe: no import table read"; status=1; continue; }
  # A first-use guard of a function-local static locks through the runtime (see CreateSemaphoreW).
  symbols="$symbols_dir/$(basename "$exe").debug"
  names=$(i686-w64-mingw32-nm "$symbols" 2>/dev/null)
  [ -n "$names" ] || { echo "$exe: no symbols read from $symbols"; status=1; }
  if grep -q '___cxa_guard_acquire' <<<"$names"; then
    echo "$exe locks the first use of a function-local static"; status=1
  fi
  while read -r dll function; do
    if ! [[ "$dll" =~ $allowed_dlls ]]; then echo "$exe imports from $dll"; status=1; fi
    if [[ "$function" =~ $late_functions ]]; then echo "$exe imports $dll!$function"; status=1; fi
    if [[ "$function" =~ [a-z0-9]W$ ]] && ! [[ "$function" =~ $working_wide ]] &&
       [ -z "${stub_reasons[$function]:-}" ]; then
      echo "$exe imports $dll!$function, a stub that fails on Windows 98/Me"; status=1
    fi
  done <<<"$imports"
done
[ $status -eq 0 ] && echo "imports of $# programs: only functions every target system has" &&
  for function in "${!stub_reasons[@]}"; do echo "allowed stub $function: ${stub_reasons[$function]}"; done
exit $status
