#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Idempotent:
# installs nothing when everything is there.
#
# 32-bit Windows programs need 32-bit Wine and, on a kernel that cannot start
# 32-bit programs itself, qemu registered with binfmt_misc. Where that cannot be
# done here (no binfmt_misc, no permission, no archive), set-up says why and goes
# on: the 32-bit tests then report themselves as skipped with that reason.
set -euo pipefail
sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
apt_updated=0
apt_update() { [ $apt_updated = 1 ] || { $sudo apt-get update -qq && apt_updated=1; }; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
# apt-get install PACKAGES... [-t SUITE] for those not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    ${apt_suite:+-t "$apt_suite"} "${missing[@]}" >/dev/null
}

install_missing cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev \
  libbenchmark-dev mingw-w64 wine wine64 xvfb python3 zip unzip imagemagick

# --- 32-bit programs ---------------------------------------------------------
binfmt=/proc/sys/fs/binfmt_misc
# Bookworm's qemu 7.2 ignores MAP_FIXED_NOREPLACE, which makes every 32-bit Wine
# start cost about a minute; the backports' qemu does not.
backports=/etc/apt/sources.list.d/bookworm-backports.sources
qemu_i386=/usr/libexec/qemu-binfmt/i386-binfmt-P
# An i386 ELF executable or shared object; OPF: keep argv[0], open the binary
# for the interpreter (setuid-safe) and fix the interpreter at registration, so
# it works inside any mount namespace.
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# What the registration was made from: the kernel keeps the interpreter it
# opened then, so a qemu upgrade (or a boot, which drops the entry) asks for a
# new one.
stamp=/var/lib/nimbrel/qemu-i386.registered

skip32() { echo "setup: 32-bit programs cannot run here ($1); the 32-bit tests will be skipped" >&2; }

kernel_runs_i386() {
  # The kernel's own 32-bit support (IA32 emulation), where the build has it.
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

registration_current() {
  [ -f "$binfmt/qemu-i386" ] && grep -qx enabled "$binfmt/qemu-i386" &&
    grep -qx "interpreter $qemu_i386" "$binfmt/qemu-i386" && [ "$(sed -n 's/^flags: //p' "$binfmt/qemu-i386" | fold -w1 | sort | tr -d '\n')" = FOP ] &&
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(registration_identity)" ]
}
registration_identity() {
  echo "$(cat /proc/sys/kernel/random/boot_id) $(stat -L -c '%i %Y %s' "$qemu_i386")"
}

register_qemu_i386() {
  if [ ! -f "$binfmt/register" ]; then
    $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || { skip32 "binfmt_misc cannot be mounted"; return 1; }
  fi
  [ -w "$binfmt/register" ] || [ -n "$sudo" ] || { skip32 "$binfmt/register is not writable"; return 1; }
  if registration_current; then return 0; fi
  echo "setup: registering qemu-i386 with binfmt_misc"
  [ ! -f "$binfmt/qemu-i386" ] || echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null
  printf ':qemu-i386:M::%s:%s:%s:OPF\n' "$i386_magic" "$i386_mask" "$qemu_i386" |
    $sudo tee "$binfmt/register" >/dev/null 2>&1 || { skip32 "the kernel refused the qemu-i386 registration"; return 1; }
  $sudo mkdir -p "$(dirname "$stamp")"
  registration_identity | $sudo tee "$stamp" >/dev/null
}

add_backports() {
  [ ! -f "$backports" ] || return 0
  echo "setup: adding bookworm-backports"
  $sudo tee "$backports" >/dev/null <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_updated=0
}

qemu_current() {
  installed qemu-user && dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user)" ge 1:10 &&
    installed binfmt-support && [ -x "$qemu_i386" ]
}

setup_32bit() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    $sudo dpkg --add-architecture i386
    apt_updated=0
  fi
  # qemu is kept registered once it is in use: the check below passes through
  # a stale registration too.
  if [ -f "$binfmt/qemu-i386" ] || ! kernel_runs_i386; then
    if ! qemu_current; then
      add_backports
      echo "setup: installing qemu-user binfmt-support from bookworm-backports"
      { apt_update && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends           -t bookworm-backports qemu-user binfmt-support >/dev/null; } ||
        { skip32 "qemu-user from bookworm-backports cannot be installed"; return 1; }
    fi
    register_qemu_i386 || return 1
  fi
  install_missing wine32:i386 || { skip32 "wine32:i386 cannot be installed"; return 1; }
}

setup_32bit || true
