#!/usr/bin/env bash
# The programs reach a till as users receive them: at most 512 KiB each, stripped of symbols and
# debugging information, and linked (.gnu_debuglink) to SYMBOLS_DIR/<program>.exe.debug, which holds
# them, so that a crash address read on a till names its function.
# Usage: check_shipped.sh SYMBOLS_DIR EXE...
set -u
export LC_ALL=C  # objdump's own words ("start address") are read below
symbols_dir="$1"
shift
limit=$((512 * 1024))
status=0
for exe in "$@"; do
  name=$(basename "$exe")
  size=$(stat -c %s "$exe")
  [ "$size" -le "$limit" ] || { echo "$name: $size bytes, more than $limit"; status=1; }
  sections=$(i686-w64-mingw32-objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $2}')
  grep -q '^\.debug_' <<<"$sections" && { echo "$name carries debugging information"; status=1; }
  [ -z "$(i686-w64-mingw32-nm "$exe" 2>/dev/null)" ] || { echo "$name carries its symbol table"; status=1; }
  link=$(i686-w64-mingw32-objcopy --dump-section .gnu_debuglink=/dev/stdout "$exe" 2>/dev/null | tr -d '\0' |
         grep -ao '^[^[:cntrl:]]*\.debug' | head -n 1)
  [ "$link" = "$name.debug" ] || { echo "$name links to \"$link\", not $name.debug"; status=1; }
  symbols="$symbols_dir/$name.debug"
  start=$(i686-w64-mingw32-objdump -f "$exe" | awk '/start address/ {print $3}')
  function=$(i686-w64-mingw32-addr2line -f -e "$symbols" "$start" 2>/dev/null | head -n 1)
  if [ -z "$function" ] || [ "$function" = "??" ]; then
    echo "$name: its entry point $start is not named by $symbols"; status=1
  else
    echo "$name: $size bytes; entry point $start is $function in $symbols"
  fi
done
exit $status
