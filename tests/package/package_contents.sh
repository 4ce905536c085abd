#!/usr/bin/env bash
# What the package holds: the two programs, the demonstration scenes and the
# README, nothing else (no test program, no DLL). The programs themselves are
# checked when they are linked (cmake/CheckShippedProgram.cmake).
#
# Usage: package_contents.sh ZIP
set -euo pipefail
zip=$1
failed=0
fail() { echo "FAILED: $*"; failed=1; }

files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
echo "$files"
for needed in README.txt bin/NimbrelRun.exe bin/zelrun.exe; do
  grep -qx "$needed" <<<"$files" || fail "the package has no $needed"
done
extra=$(grep -vxE 'README.txt|bin/(NimbrelRun|zelrun)\.exe|shaders/dx9/.+\.zel' <<<"$files" || true)
[ -z "$extra" ] || fail "the package holds more than it should: $extra"
exit $failed
