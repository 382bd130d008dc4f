#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, then all
# tests as Windows programs under Wine on private headless displays (two:
# the tests that show windows run two at a time, one on each).
# Installs what is missing first, so it runs on a fresh Debian machine.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

build() {
  cmake --preset "$1" >/dev/null || return 1
  cmake --build --preset "$1" || return 1
}

build host || exit 1
build windows || exit 1

ctest --preset host
host_rc=$?

# Each case runs once: a case that fails only sometimes is a fault to mend.
scripts/with-display.sh "$PWD/build/windows/wineprefix" ctest --preset windows
windows_rc=$?

[ $host_rc -eq 0 ] && [ $windows_rc -eq 0 ]
