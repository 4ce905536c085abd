#!/usr/bin/env bash
# Makes the i686 build's package and unpacks it for the 64-bit tests that
# drive it (tests/win/package32_test.cpp) into DEST/Nimbrel Run XP. Where this
# machine cannot run 32-bit programs, DEST/skipped.txt says why instead, on
# one line, and those tests report themselves skipped.
#
# Usage: package32_unpack.sh WIN32_BUILD_DIR DEST
set -euo pipefail
build=$1 dest=$2
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
rm -rf "$dest"
mkdir -p "$dest"
source "$tools/wine-env.sh"
if ! reason=$(nimbrel_wine32_ok 2>&1); then
  echo "32-bit programs cannot run here: $reason" | tee "$dest/skipped.txt"
  exit 0
fi
[ -f "$build/CMakeCache.txt" ] ||
  { echo "FAILED: no i686 build in $build (cmake --preset win32 && cmake --build --preset win32)"; exit 1; }
cmake --build "$build" --target package >"$dest/package.log" 2>&1 ||
  { cat "$dest/package.log"; echo "FAILED: the i686 package could not be made"; exit 1; }
zip=$(sed -n 's/^CPack: - package: \(.*\.zip\) generated\.$/\1/p' "$dest/package.log" | tail -1)
[ -f "$zip" ] || { cat "$dest/package.log"; echo "FAILED: no i686 package zip"; exit 1; }
mkdir -p "$dest/Nimbrel Run XP"
(cd "$dest/Nimbrel Run XP" && cmake -E tar xf "$zip")
echo "unpacked $zip into $dest/Nimbrel Run XP"
