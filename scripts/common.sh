# Shared by the scripts: tree locations and the Wine environment.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_root="${VIVIDSWIRL_BUILD_DIR:-$root/build}"
native_tree="$build_root/native"
sanitize_tree="$build_root/sanitize"
thread_tree="$build_root/thread"
windows_tree="$build_root/windows"
jobs="$(nproc)"

export WINEPREFIX="$windows_tree/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

configure_tree() { # tree, extra cmake arguments...
  local tree="$1"
  shift
  cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

configure_windows_tree() {
  configure_tree "$windows_tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DVIVIDSWIRL_BENCHMARKS=OFF "$@"
}

# Creates the private Wine prefix once (its first start takes a while).
# Its windows are unmanaged: with no window manager on the virtual display,
# Wine otherwise waits 2 s for every shown window that is hidden or destroyed.
ensure_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    # The server that wrote the setting leaves by itself once idle.
    timeout 30 wineserver -w 2>/dev/null || true
  fi
}

# Keeps one persistent wineserver with its system processes for the run.
# The system processes are started here, detached from the test runner's
# pipes: started by a test instead, they would hold its output open.
start_wine_services() {
  if ! wineserver -p 2>/dev/null; then
    # A server that is still winding down goes first.
    timeout 30 wineserver -w 2>/dev/null || true
    wineserver -p
  fi
  wine wineboot >/dev/null 2>&1 </dev/null
}

stop_wine_services() {
  wineserver -k 2>/dev/null || true
}
