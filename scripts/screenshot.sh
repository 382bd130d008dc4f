#!/usr/bin/env bash
# Takes a picture of Zenthra under Wine on a private headless display and
# saves the whole screen.
# Usage: screenshot.sh [--about] [--dpi N] OUT.png [BUILD_DIR]
#   --about  shows the About dialog: chooses Help > About with the keyboard,
#            as a user would (default: the main window alone)
#   --dpi N  runs in a prefix of the build set to N DPI (default: the build's
#            own prefix, at 96)
# BUILD_DIR defaults to build/windows; Zenthra.exe is built there first.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: screenshot.sh [--about] [--dpi N] OUT.png [BUILD_DIR]"
window=main dpi=""
while [ $# -gt 0 ]; do
  case "$1" in
    --about) window=about; shift ;;
    --dpi) dpi="${2:?$usage}"; shift 2 ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) break ;;
  esac
done
out="$(realpath -m "${1:?$usage}")"
build="$(realpath -m "${2:-build/windows}")"

if [ ! -f "$build/build.ninja" ]; then
  echo "No build in $build: configure it first (cmake --preset windows)." >&2
  exit 2
fi
cmake --build "$build" --target Zenthra tessarel >/dev/null

# Wine reads the DPI when a program starts: set it before starting Zenthra.
prefix="$build/wineprefix"
if [ -n "$dpi" ]; then
  prefix="$build/wineprefix-dpi$dpi"
  scripts/wine-prefix.sh "$prefix" "$dpi"
fi

# Everything below runs inside xvfb-run, on a display number of its own,
# with a screen that holds the main window even at 192 DPI.
exec xvfb-run -a -s "-screen 0 1600x1400x24 -nolisten tcp" bash -c '
  set -euo pipefail
  build="$1"; out="$2"; window="$3"; export ZENTHRA_WINEPREFIX="$4"
  "$build/wine-run" "$build/bin/Zenthra.exe" &
  program=$!
  stop() {
    kill "$program" 2>/dev/null || true
    WINEPREFIX="$ZENTHRA_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  }
  trap stop EXIT
  main=$(timeout 60 xdotool search --sync --name "^Zenthra$" | head -1)
  if [ "$window" = about ]; then
    # The menu bar from the keyboard: F10, across to Help, open it, About.
    # Keys given before the window holds the focus are lost: try again.
    for attempt in $(seq 1 20); do
      xdotool mousemove --window "$main" 150 70 click 1  # on the welcome text
      xdotool key Escape Escape F10 Right Return Return
      if timeout 3 xdotool search --sync --name "^About Orvane$" >/dev/null; then break; fi
    done
    if ! xdotool search --name "^About Orvane$" >/dev/null; then
      echo "The About dialog did not open." >&2
      exit 1
    fi
  fi
  # Give the windows (and the hosted controls) a moment to finish painting.
  sleep 1
  import -display "$DISPLAY" -window root "$out"
  echo "$out"
' screenshot "$build" "$out" "$window" "$prefix"
