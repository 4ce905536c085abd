#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual X display. CTest uses it as the
# cross-compiling emulator; the run and benchmark scripts use it too.
#
# NIMBREL_XDISPLAY   X display number of the virtual screen (default 77)
# NIMBREL_WINEPREFIX Wine prefix (default: one per display under ~/.cache/nimbrel)
# NIMBREL_REAL_DISPLAY=1 use $DISPLAY as it is instead of a virtual screen
#
# Wine's output goes to a file, never to a pipe: wine's background services
# inherit the standard handles, and a pipe they hold would never close.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
nimbrel_wine_up || exit 125

log=$(mktemp "${TMPDIR:-/tmp}/nimbrel-wine.XXXXXX")
trap 'rm -f "$log"' EXIT
nimbrel_wine "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
exit $rc
