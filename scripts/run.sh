#!/usr/bin/env bash
# Builds the launcher, installs it with the demo player and scenes into
# out/NimbrelRun, and runs it under Wine. With a display it opens the window
# and returns when you close it. Without one it runs on a virtual display,
# writes a screenshot of the window, and closes the window cleanly (the list
# is saved as on any close).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" >/dev/null
prefix="$root/out/NimbrelRun"
cmake --install build/win64 --prefix "$prefix" >/dev/null
exe="$prefix/bin/NimbrelRun.exe"

if [ -n "${DISPLAY:-}" ] && [ "${NIMBREL_HEADLESS:-0}" != 1 ]; then
  NIMBREL_REAL_DISPLAY=1 exec tools/wine-run.sh "$exe"
fi

source tools/wine-env.sh
nimbrel_wine_up
shot="${NIMBREL_SCREENSHOT:-$root/out/screenshot.png}"
tools/wine-run.sh "$exe" &
runner=$!
# The window is up once the launcher's process exists and has had a moment to
# paint; a fresh prefix takes longer the first time.
# The task list goes to a file: wine's services would hold a pipe open.
tasks=$(mktemp)
for _ in $(seq 1 100); do
  nimbrel_wine tasklist >"$tasks" 2>/dev/null </dev/null
  grep -qi nimbrelrun.exe "$tasks" && break
  sleep 0.2
done
rm -f "$tasks"
sleep "${NIMBREL_SHOT_DELAY:-2}"
import -display "$DISPLAY" -window root "$shot"
convert "$shot" -trim +repage "$shot"   # just the window, on the empty desktop
nimbrel_wine taskkill /im NimbrelRun.exe >/dev/null 2>&1 </dev/null || true
wait "$runner" || true
echo "screenshot: $shot"
