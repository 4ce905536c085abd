#!/usr/bin/env bash
# The run list reader's fuzzing campaign, in one command:
#
#   nice -n 19 bash fuzz/campaign.sh [runs]      (runs: default 10000000)
#
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer with leak checks,
# UndefinedBehaviorSanitizer that aborts) and runs the reader on mutations of
# the seed corpus in one process. Any crash, leak, sanitizer report or input
# slower than 10 s ends the run with an error and leaves the input in
# build/fuzz/campaign/artifacts/. The seed corpus is not touched: the grown
# corpus stays in build/fuzz/campaign/corpus/, and the inputs that reach code
# the seeds do not are copied to build/fuzz/campaign/new-coverage/ for review
# (add them to fuzz/corpus/runlist/ only if they are few and small). The log,
# with the final statistics, is build/fuzz/campaign/fuzz.log.
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

start=$(date +%s)
status=0
# The input size limit is the largest seed's size, so every length form,
# including the 32-bit one, can be mutated whole.
"$fuzzer" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/fuzz.log" 2>&1 || status=$?
seconds=$(( $(date +%s) - start ))

grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::' "$work/fuzz.log" || tail -n 40 "$work/fuzz.log"
echo "campaign: ${runs} runs asked, ${seconds} s, exit status ${status}"
[ "$status" -eq 0 ] || exit "$status"

# Which of the grown corpus's inputs reach code the seeds do not.
mkdir -p "$work/merged"
cp "$seeds"/* "$work/merged/"
"$fuzzer" -merge=1 "$work/merged" "$work/corpus" >"$work/merge.log" 2>&1
for f in "$work/merged"/*; do
  [ -e "$seeds/$(basename "$f")" ] || cp "$f" "$work/new-coverage/"
done
echo "campaign: $(ls "$work/new-coverage" | wc -l) inputs add coverage to the seeds (build/fuzz/campaign/new-coverage)"
