#!/usr/bin/env bash
# The run list reader's fuzzing campaign, in one command:
#
#   nice -n 19 bash fuzz/campaign.sh [runs]      (runs: default 10000000)
#
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer with leak checks,
# UndefinedBehaviorSanitizer that aborts) and runs the reader on mutations of
# the seed corpus, one process at a time, in two phases over one corpus:
#   short  98% of the runs on inputs of up to 4 KiB, where the count, the
#          length forms and the damage cases are decided; a short input runs
#          many times faster than a long one with thousands of entries;
#   whole   2% of the runs with the size limit of the largest seed, so the
#          16- and 32-bit length forms are mutated whole (a string of 65534
#          characters and more takes the 32-bit form).
# Any crash, leak, sanitizer report or input slower than 60 s (a wall-clock
# limit, generous because this machine is shared) ends the run with an error
# and leaves the input in build/fuzz/campaign/artifacts/. The seed corpus is
# not touched: the grown corpus stays in build/fuzz/campaign/corpus/, and the
# inputs that reach code or counters the seeds do not are copied to
# build/fuzz/campaign/new-coverage/ for review (add them to
# fuzz/corpus/runlist/ only if they are few and small). Each phase's log, with
# its final statistics, is build/fuzz/campaign/<phase>.log.
set -euo pipefail
runs=${1:-10000000}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 >/dev/null

fuzzer=$root/build/fuzz/fuzz/runlist_reader_fuzz
seeds=$root/fuzz/corpus/runlist
work=$root/build/fuzz/campaign
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts" "$work/new-coverage"
cp "$seeds"/* "$work/corpus/"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# phase NAME RUNS [libFuzzer options...]
phase() {
  local name=$1 count=$2 start status=0
  shift 2
  start=$(date +%s)
  "$fuzzer" -runs="$count" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" >"$work/$name.log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::' "$work/$name.log" || tail -n 40 "$work/$name.log"
  echo "campaign: phase $name: $count runs asked, $(( $(date +%s) - start )) s, exit status $status"
  [ "$status" -eq 0 ] || exit "$status"
}

whole=$(( runs / 50 ))
phase short $(( runs - whole )) -max_len=4096
phase whole "$whole"

# Which of the grown corpus's inputs reach code the seeds do not.
mkdir -p "$work/merged"
cp "$seeds"/* "$work/merged/"
"$fuzzer" -merge=1 "$work/merged" "$work/corpus" >"$work/merge.log" 2>&1
for f in "$work/merged"/*; do
  [ -e "$seeds/$(basename "$f")" ] || cp "$f" "$work/new-coverage/"
done
echo "campaign: $(ls "$work/new-coverage" | wc -l) inputs add coverage to the seeds (build/fuzz/campaign/new-coverage)"
