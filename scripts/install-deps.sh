#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Idempotent:
# packages already present are skipped, and apt runs only when one is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  libwine-dev wine wine64 fonts-wine
  xvfb xauth xdotool imagemagick x11-utils
  wixl msitools
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
