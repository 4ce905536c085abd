# Sourced by the scripts that run Windows programs: brings up the virtual
# display and the Wine prefix once, and exports what wine needs.
: "${NIMBREL_XDISPLAY:=77}"
: "${NIMBREL_WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/nimbrel/wine-$NIMBREL_XDISPLAY}"
export WINEPREFIX="$NIMBREL_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko installers: this machine has no internet and needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
# The loader is called directly: once 32-bit Wine is installed, Debian's `wine`
# script sends every program through the 32-bit loader first, which costs a
# start under emulation for each 64-bit program. A 64-bit program that starts a
# 32-bit one gets the 32-bit loader beside this one from Wine itself.
if [ -x /usr/lib/wine/wine64 ]; then
  NIMBREL_WINE64=/usr/lib/wine/wine64
  export WINELOADER="$NIMBREL_WINE64"
else
  NIMBREL_WINE64=wine
fi
# 32-bit programs go through the 32-bit loader beside it (wine32), which the
# 64-bit one would otherwise start for them after a start of its own.
NIMBREL_WINE32=/usr/lib/wine/wine
NIMBREL_WINE32_DLLS=/usr/lib/i386-linux-gnu/wine/i386-windows
nimbrel_wine() {
  if [ -x "$NIMBREL_WINE32" ] && nimbrel_is_pe32 "${1:-}"; then "$NIMBREL_WINE32" "$@"; else "$NIMBREL_WINE64" "$@"; fi
}

# Whether $1 is a 32-bit (i386) Windows program: the machine field of its PE
# header, whose offset is at 0x3c.
nimbrel_is_pe32() {
  [ -f "$1" ] || return 1
  local pe machine
  pe=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 1
  machine=$(od -An -t x2 -j $((pe + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  [ "$machine" = 014c ]
}

# Whether this machine runs 32-bit Windows programs; says why not on stderr.
nimbrel_wine32_ok() {
  [ -x "$NIMBREL_WINE32" ] || { echo "32-bit Wine (wine32:i386) is not installed" >&2; return 1; }
  "$NIMBREL_WINE32" --version >/dev/null 2>&1 ||
    { echo "this kernel cannot start 32-bit programs (no qemu-i386 in binfmt_misc)" >&2; return 1; }
}

nimbrel_display_up() {
  if [ "${NIMBREL_REAL_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  export DISPLAY=":$NIMBREL_XDISPLAY"
  if xdpyinfo_ok; then return 0; fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if ! xdpyinfo_ok; then
      rm -f "/tmp/.X$NIMBREL_XDISPLAY-lock" "/tmp/.X11-unix/X$NIMBREL_XDISPLAY"
      setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
      for _ in $(seq 1 100); do xdpyinfo_ok && break; sleep 0.1; done
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.xvfb-$NIMBREL_XDISPLAY.lock"
  xdpyinfo_ok || { echo "wine-env: cannot start Xvfb on $DISPLAY" >&2; return 1; }
}

xdpyinfo_ok() {
  # The X socket answers when the server is up; no extra tools needed.
  [ -S "/tmp/.X11-unix/X$NIMBREL_XDISPLAY" ] && [ -f "/tmp/.X$NIMBREL_XDISPLAY-lock" ] &&
    kill -0 "$(tr -d ' ' <"/tmp/.X$NIMBREL_XDISPLAY-lock")" 2>/dev/null
}

nimbrel_prefix_up() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.nimbrel-ready-2" ]; then
      nimbrel_wine wineboot -i >"$(dirname "$WINEPREFIX")/wineboot.log" 2>&1 </dev/null
      # No crash dialog: a crashing test must fail, not wait for a click.
      nimbrel_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >>"$(dirname "$WINEPREFIX")/wineboot.log" 2>&1 </dev/null
      # One Wine desktop window holds every window: Wine draws the captions
      # (seen in screenshots) and hiding a window never waits for a window
      # manager that the virtual display does not have.
      nimbrel_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
        >>"$(dirname "$WINEPREFIX")/wineboot.log" 2>&1 </dev/null
      nimbrel_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
        >>"$(dirname "$WINEPREFIX")/wineboot.log" 2>&1 </dev/null
      wineserver -w
      touch "$WINEPREFIX/.nimbrel-ready-2"
    fi
    # One prefix for 32- and 64-bit programs (WoW64). A prefix made before
    # 32-bit Wine was installed lacks the 32-bit system files, and wineboot -u
    # alone cannot add them: it installs them with a 32-bit program, which needs
    # them to start. So they are seeded from Wine's own (the same files a new
    # prefix gets) and wineboot -u does the rest.
    if [ -x "$NIMBREL_WINE32" ] && [ ! -f "$WINEPREFIX/.nimbrel-ready-3" ]; then
      if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/syswow64"
        cp -n "$NIMBREL_WINE32_DLLS"/*.dll "$NIMBREL_WINE32_DLLS"/*.exe "$WINEPREFIX/drive_c/windows/syswow64/"
        nimbrel_wine wineboot -u >>"$(dirname "$WINEPREFIX")/wineboot.log" 2>&1 </dev/null
        wineserver -w
      fi
      [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || touch "$WINEPREFIX/.nimbrel-ready-3"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.prefix.lock"
}

nimbrel_wine_up() {
  command -v "$NIMBREL_WINE64" >/dev/null || { echo "wine-env: wine is not installed (run scripts/setup.sh)" >&2; return 1; }
  nimbrel_display_up && nimbrel_prefix_up
}
