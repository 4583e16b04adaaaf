# Shared by scripts/run and scripts/test: the build tree, the Wine prefix, and the display and
# wineserver that last as long as the calling script.
# QELVAN_BUILD_DIR chooses another build tree (default: build/ in the checkout).
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QELVAN_BUILD_DIR:-$top/build}"
export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="

configure_and_build() {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw32-toolchain.cmake" >"$build.configure.log" 2>&1 ||
      { cat "$build.configure.log" >&2; echo "configure failed" >&2; return 1; }
  fi
  cmake --build "$build" -- -k 0 "$@"
}

# Starts a private X display (unless own_display is 0) and a persistent wineserver; both stop when
# the calling script exits.
start_platform() {
  local own_display="${1:-1}"
  if [ "$own_display" = 1 ]; then
    exec 5< <(Xvfb -displayfd 6 -screen 0 1024x768x24 -nolisten tcp 6>&1 2>/dev/null & echo "pid $!")
    local line display=""
    read -r line <&5 && xvfb_pid="${line#pid }"
    read -r display <&5 || true
    [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$display"
  fi
  "$top/scripts/wineprefix" "$WINEPREFIX"
  wineserver -p
  trap stop_platform EXIT
  # The first Wine process starts Wine's own services and desktop, which outlive it and would keep
  # its output open: start them here, detached from any caller's output.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_platform() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
