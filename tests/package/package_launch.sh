#!/usr/bin/env bash
# The package unpacked into a folder whose path has spaces, its launcher
# started under Wine from another working directory, and a scene launched
# (package_driver.exe does the clicking and the checking). Afterwards the
# working directory is still empty and the package has gained only the run
# list beside the launcher.
#
# Usage: package_launch.sh ZIP DRIVER_EXE
set -euo pipefail
zip=$1 driver=$2
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/nimbrel package test.XXXXXX")
trap 'rm -rf "$work"' EXIT
package="$work/Nimbrel Run XP"
elsewhere="$work/somewhere else"
mkdir -p "$package" "$elsewhere"
unzip -q "$zip" -d "$package"
(cd "$package" && find . | sort) >"$work/before"

rc=0
(cd "$elsewhere" && "$tools/wine-run.sh" "$driver" "../Nimbrel Run XP") || rc=$?

(cd "$package" && find . | sort) >"$work/after"
added=$(comm -13 "$work/before" "$work/after")
removed=$(comm -23 "$work/before" "$work/after")
if [ "$added" != "./bin/_zelrunlist.dat" ] || [ -n "$removed" ]; then
  echo "FAILED: the package gained [$added] and lost [$removed]; only ./bin/_zelrunlist.dat may appear"
  rc=1
fi
if [ -n "$(ls -A "$elsewhere")" ]; then
  echo "FAILED: the launcher wrote into its working directory: $(ls -A "$elsewhere")"
  rc=1
fi
exit $rc
