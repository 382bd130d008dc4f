#!/usr/bin/env bash
# Creates a private Wine prefix once: usage wine-prefix.sh PREFIX [DPI].
# A new prefix draws at 96 DPI; with DPI given, the prefix (new or not) is
# set to it. Wine reads the setting when a program starts, so set it before
# starting the programs that should see it.
# Safe to call from parallel tests: the first caller builds it under a lock,
# the others wait and then find it ready.
set -euo pipefail
prefix="$1"
dpi="${2:-}"
# Debian's Wine does not look for the fonts of the fonts-wine package: without
# them every face (MS Sans Serif, Tahoma, MS Shell Dlg) falls back to a wider
# one that cuts captions off, and the title bar buttons lose their glyphs.
# Linking them into the prefix's Fonts folder is all it takes.
wine_fonts=/usr/share/wine/fonts
fonts_ready() { [ -e "$prefix/drive_c/windows/Fonts/ms_sans_serif.ttf" ] || [ ! -d "$wine_fonts" ]; }
[ -f "$prefix/.zenthra-ready" ] && [ -z "$dpi" ] && fonts_ready && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
# Every prefix but the template is a copy of it: booting a prefix takes
# seconds of both cores, a copy a fraction of one. The copy shares the
# system folders' files with the template (Wine only reads them, and they
# are most of a prefix's 700 MB); the rest, which Wine may rewrite in place
# (the registry, win.ini), is copied.
template="$(dirname "$prefix")/wineprefix-template"
if [ ! -f "$prefix/.zenthra-ready" ] && [ "$prefix" != "$template" ]; then
  "$0" "$template"
  rm -rf "$prefix"
  cp -al "$template" "$prefix"
  shared="$prefix/drive_c/windows"
  find "$prefix" -type f -not -path "$shared/system32/*" -not -path "$shared/syswow64/*" \
    -not -path "$shared/winsxs/*" -exec sh -c 'for file; do cp -p "$file" "$file.copy"; mv -f "$file.copy" "$file"; done' sh {} +
  # A name Wine draws for each prefix; the copy draws its own.
  rm -f "$prefix/wineserver"
elif [ ! -f "$prefix/.zenthra-ready" ]; then
  wineboot -i </dev/null >/dev/null 2>&1
  # Without a window manager every top-level window close waits about two
  # seconds for one; unmanaged windows close at once.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  set_dpi 96
  wineserver -w
  touch "$prefix/.zenthra-ready"
fi
if ! fonts_ready; then
  mkdir -p "$prefix/drive_c/windows/Fonts"
  ln -sf "$wine_fonts"/*.fon "$wine_fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
fi
if [ -n "$dpi" ]; then
  set_dpi "$dpi"
  wineserver -w
fi
