#!/usr/bin/env bash
# Takes a picture of the About dialog under Wine on a private headless
# display: starts Zenthra, chooses Help > About with the keyboard as a user
# would, and saves the whole screen.
# Usage: about-screenshot.sh OUT.png [BUILD_DIR] (default build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:?usage: about-screenshot.sh OUT.png [BUILD_DIR]}")"
build="$(realpath -m "${2:-build/windows}")"

if [ ! -f "$build/build.ninja" ]; then
  echo "No build in $build: configure it first (cmake --preset windows)." >&2
  exit 2
fi
cmake --build "$build" --target Zenthra tessarel >/dev/null

exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  set -euo pipefail
  build="$1"; out="$2"
  "$build/wine-run" "$build/bin/Zenthra.exe" &
  program=$!
  stop() {
    kill "$program" 2>/dev/null || true
    WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true
  }
  trap stop EXIT
  main=$(timeout 60 xdotool search --sync --name "^Zenthra$" | head -1)
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
  # Let the dialog and its hosted controls finish painting.
  sleep 1
  import -display "$DISPLAY" -window root "$out"
  echo "$out"
' about-screenshot "$build" "$out"
