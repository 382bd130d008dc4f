#!/usr/bin/env bash
# Takes a picture of a Zenthra window under Wine on a private headless
# display, cut to the window with its frame.
# Usage: screenshot.sh [--about | --about-link | --example] [--dpi N] OUT.png [BUILD_DIR]
#        screenshot.sh --docs [BUILD_DIR]
#   --about    the About dialog: chooses Help > About with the keyboard, as a
#              user would (default: the main window as it opens)
#   --about-link  the About dialog after Tab twice from OK: the first link
#              has the keyboard focus, with its focus rectangle and tooltip
#   --example  the main window after the worked example of the README, typed
#              in with the keyboard: levels picked with the arrow keys, then Go
#   --dpi N    runs in a prefix of the build set to N DPI (default: the
#              build's own prefix, at 96)
#   --docs     makes the README's four pictures in docs/images, at 96 DPI
# BUILD_DIR defaults to build/windows; Zenthra.exe is built there first.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: screenshot.sh [--about | --about-link | --example] [--dpi N] OUT.png [BUILD_DIR] | --docs [BUILD_DIR]"
window=main dpi=""
while [ $# -gt 0 ]; do
  case "$1" in
    --about) window=about; shift ;;
    --about-link) window=about-link; shift ;;
    --example) window=example; shift ;;
    --dpi) dpi="${2:?$usage}"; shift 2 ;;
    --docs)
      build="${2:-build/windows}"
      mkdir -p docs/images
      "$0" docs/images/main-window.png "$build"
      "$0" --about docs/images/about.png "$build"
      "$0" --example docs/images/worked-example.png "$build"
      "$0" --about-link docs/images/about-keyboard.png "$build"
      exit 0 ;;
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
  # Help > About from the keyboard (Alt+H, A). Keys given before the window
  # holds the focus are lost: try again until the dialog is there.
  open_about() {
    for attempt in $(seq 1 20); do
      xdotool mousemove --window "$main" 150 70 click 1  # on the welcome text
      xdotool key Escape Escape alt+h a
      if timeout 3 xdotool search --sync --name "^About Orvane$" >/dev/null; then return 0; fi
    done
    echo "The About dialog did not open." >&2
    exit 1
  }
  shown="$main"
  case "$window" in
    about)
      open_about
      shown=$(xdotool search --name "^About Orvane$" | head -1) ;;
    about-link)
      open_about
      xdotool key --delay 100 Tab Tab
      shown=$(xdotool search --name "^About Orvane$" | head -1) ;;
    example)
      # The dialog opening shows that the keys now reach the program; Esc
      # closes it, and the main window has its focus back on Light.
      open_about
      xdotool key Escape
      while xdotool search --name "^About Orvane$" >/dev/null; do sleep 0.2; done
      sleep 0.5
      # Tab from Light walks the boxes in tab order; Down picks the next level.
      pick() { xdotool key --delay 60 Tab; if [ "$1" -gt 0 ]; then xdotool key --delay 60 $(printf "Down %.0s" $(seq 1 "$1")); fi; }
      # Jump, Push, Pull, Speed, See, Absorb, Heal, Protect, Mindtrick,
      # Saber Attack, Saber Defend, Saber Throw, Team Force, Team Heal.
      for level in 3 2 1 3 1 0 3 2 1 2 1 1 0 0; do pick "$level"; done
      xdotool key --delay 60 Tab space ;;  # Go
  esac
  # Give the windows (and the hosted controls) a moment to finish painting.
  sleep 1
  if [ "$window" = about-link ]; then
    # The tooltip is a window of its own over the dialog: the screen, cut
    # to the dialog, shows both.
    eval "$(xdotool getwindowgeometry --shell "$shown")"
    import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
  else
    import -display "$DISPLAY" -window "$shown" "$out"
  fi
  echo "$out"
' screenshot "$build" "$out" "$window" "$prefix"
