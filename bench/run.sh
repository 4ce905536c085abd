#!/usr/bin/env bash
# Builds the benchmarks, runs them all and writes BENCHMARKS.md at the top of
# the tree: the launcher against a minimal program of ours under Wine (start,
# load, save; 100,000 entries also with one in ten stored in the wide form),
# growth from 10,000 to 100,000 entries, the portable reader and writer
# natively, and the release executables' sizes.
#
# BENCH_RUNS  counted runs per figure (default 15, at least 10); the programs
#             started as processes run three times as many
# BENCH_WAIT  seconds to wait at most, before the Windows benchmarks, for the
#             1-minute load average to fall below the number of cores (default 600)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${BENCH_RUNS:-15}
[ "$runs" -ge 10 ] || { echo "bench: BENCH_RUNS must be at least 10" >&2; exit 2; }
# Two cores shared with other builds: at most two compile jobs.
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

bash scripts/setup.sh
out="$root/build/bench-results"
rm -rf "$out"
mkdir -p "$out"
machine="$out/machine.txt"
load() { cut -d' ' -f1-3 /proc/loadavg; }

# The results of the Windows programs go to a file named by its Wine path.
winpath() { local p="${1//\//\\}"; echo "Z:$p"; }

build() {
  local preset=$1; shift
  cmake --preset "$preset" >"$out/configure-$preset.log" 2>&1 || { cat "$out/configure-$preset.log"; exit 1; }
  cmake --build --preset "$preset" -j "$jobs" "$@" >"$out/build-$preset.log" 2>&1 ||
    { cat "$out/build-$preset.log"; exit 1; }
}
echo "bench: building"
build bench
build win64 --target NimbrelRun benchmarks
build win32 --target NimbrelRun

source tools/wine-env.sh
{
  echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "commit: $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . ':!BENCHMARKS.md' || echo ' (with uncommitted changes)')"
  echo "nproc: $(nproc)"
  echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
  echo "wine: $(nimbrel_wine --version 2>/dev/null)"
  echo "load_before: $(load)"
} >"$machine"

echo "bench: portable reader and writer (native)"
build/bench/bench/bench_runlist --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/native.json" --benchmark_out_format=json >"$out/native.log" 2>&1 ||
  { cat "$out/native.log"; exit 1; }
echo "load_native: $(load)" >>"$machine"

# The Windows benchmarks depend on how fast the wine server answers, which a
# busy machine slows most: give other work a chance to finish first.
cores=$(nproc)
waited=0
while awk -v n="$cores" '{ exit !($1 >= n) }' /proc/loadavg && [ "$waited" -lt "${BENCH_WAIT:-600}" ]; do
  [ "$waited" -eq 0 ] && echo "bench: waiting for the load average to fall below $cores"
  sleep 15
  waited=$((waited + 15))
done
if awk -v n="$cores" '{ exit !($1 >= n) }' /proc/loadavg; then
  quiet="did not fall below $cores within $waited s; they ran at $(load)"
else
  quiet="fell below $cores after $waited s of waiting ($(load))"
fi
echo "load_wait: Before the Windows benchmarks the 1-minute load average $quiet." >>"$machine"

nimbrel_wine_up
# A start of a process takes half a second and moves with the machine's load by
# a third either way: those figures take three times the runs.
run_windows() {
  local name=$1 count=$2
  echo "bench: $name (under Wine)"
  timeout 3600 tools/wine-run.sh "build/win64/bench/bench_$name.exe" "$(winpath "$out/$name.txt")" "$count" \
    >"$out/$name.log" 2>&1 || { cat "$out/$name.log"; exit 1; }
  echo "load_$name: $(load)" >>"$machine"
}
run_windows process $((runs * 3))
run_windows inprocess "$runs"

python3 bench/report.py "$out" "$root" >"$root/BENCHMARKS.md"
echo "bench: wrote BENCHMARKS.md"
