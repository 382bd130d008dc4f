#!/usr/bin/env bash
# Takes a picture of Zenthra's main window under Wine on a private headless
# display: usage screenshot.sh OUT.png [BUILD_DIR] (default build/windows).
# Builds Zenthra.exe first when the build folder is configured.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:?usage: screenshot.sh OUT.png [BUILD_DIR]}")"
build="$(realpath -m "${2:-build/windows}")"

if [ ! -f "$build/build.ninja" ]; then
  echo "No build in $build: configure it first (cmake --preset windows)." >&2
  exit 2
fi
cmake --build "$build" --target Zenthra >/dev/null

# Everything below runs inside xvfb-run, on a display number of its own.
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
  # The window exists once its caption can be found; give it a moment to
  # finish painting its controls.
  timeout 60 xdotool search --sync --name "^Zenthra$" >/dev/null
  sleep 1
  import -display "$DISPLAY" -window root "$out"
  echo "$out"
' screenshot "$build" "$out"
