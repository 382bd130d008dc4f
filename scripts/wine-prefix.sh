#!/usr/bin/env bash
# Creates a private Wine prefix once: usage wine-prefix.sh PREFIX.
# Safe to call from parallel tests: the first caller builds it under a lock,
# the others wait and then find it ready.
set -euo pipefail
prefix="$1"
[ -f "$prefix/.zenthra-ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.zenthra-ready" ] && exit 0

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >/dev/null 2>&1
# Without a window manager every top-level window close waits about two
# seconds for one; unmanaged windows close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1
wineserver -w
touch "$prefix/.zenthra-ready"
