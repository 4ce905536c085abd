#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Idempotent:
# installs nothing when everything is there.
set -euo pipefail
needed=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
        libbenchmark-dev mingw-w64 wine wine64 xvfb python3 zip unzip imagemagick)
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
