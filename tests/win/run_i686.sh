#!/usr/bin/env bash
# Runs one i686 test program of the win32 build whole, in one process, under
# the 32-bit loader. Where this machine cannot run 32-bit programs it says why
# on one line and exits with 4, which CTest counts as skipped.
#
# Usage: run_i686.sh PROGRAM.exe [ARGS...]
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
source "$tools/wine-env.sh"
if ! reason=$(nimbrel_wine32_ok 2>&1); then
  echo "SKIPPED: 32-bit programs cannot run here: $reason"
  exit 4
fi
[ -f "$1" ] || { echo "FAILED: no $1 (cmake --preset win32 && cmake --build --preset win32)"; exit 1; }
nimbrel_is_pe32 "$1" || { echo "FAILED: $1 is not a 32-bit program"; exit 1; }
start=$(date +%s)
"$tools/wine-run.sh" "$@"
rc=$?
echo "$(basename "$1"): exit code $rc after $(( $(date +%s) - start )) s"
exit $rc
